// The tag exports in process: the library frame reduced to what they call (state, InitDrv,
// ZebSelectSource) over the fake maker's driver, and a clean settings store.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fake_ks_driver.h"
#include "store_fixture.h"

extern int gInitDrvCalls;
extern int gFontsMade;  // CreateInterfaceFont calls
extern int32_t (*gSelectSource)();  // what ZebSelectSource does; nullptr answers 0

// A driver kind the fake start accepts but no record builder serves: its records stay unsupported.
constexpr int32_t kKindWithoutBuilder = 3;

class TagApiTest : public StoreTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts driver kind 0 from state 2, which builds the records.
  static int32_t Start(int32_t kind = 0);

  static int16_t Get16(uint16_t tag);
  static int32_t Get32(uint16_t tag);
  static float GetFloat(uint16_t tag);
  static std::string GetText(uint16_t tag);
  static int32_t Set16(uint16_t tag, int32_t v);
  static int32_t Set32(uint16_t tag, int32_t v);
  static int32_t SetFloat(uint16_t tag, float v);
  static int32_t Flag(uint16_t tag);
};
