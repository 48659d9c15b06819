// Test fixture: the engine linked in, talking to the scripted manager; a clean settings tree.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connection.h"
#include "scripted_dsm.h"

// The image information of a one-sample 8-bit page at 300 dpi, or at xResolution across.
TW_IMAGEINFO EightBitInfo(int32_t width, int32_t length, int16_t pixelType,
                          TW_FIX32 xResolution = {300, 0});

class ScriptedEngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Requests recorded since the last call of Requests() or Forget().
  std::vector<ScriptedRequest> Requests();
  void Forget();  // drops what was recorded so far
  // Loads and opens the manager and the source: state 4.
  void OpenSource();
  static int Count(const std::vector<ScriptedRequest>& log, uint16_t dat, uint16_t msg);

  uint32_t seen_ = 0;
};
