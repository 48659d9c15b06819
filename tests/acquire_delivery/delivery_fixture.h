// The page callback driven directly, as a driver drives it, with the application's callback
// recorded and the library's global blocks counted.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition_state.h"
#include "scan_page_info.h"

struct AppEvent {
  int32_t event;
  uint32_t size;
  std::string text;         // file mode: the name
  ScanPageInfo info{};      // event 2
  std::vector<uint8_t> dib; // DIB mode: the page DIB's block, copied out
};

class DeliveryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Prepares an acquisition in this transfer mode with a transfer buffer of `bufferBytes`.
  void Prepare(int32_t transferMode, uint32_t bufferBytes = 65536, bool withCallback = true);
  static ScanPageInfo Page(int16_t pixelType, int32_t bits, int32_t width, int32_t length);

  int32_t Info(const ScanPageInfo& page, uint32_t* asked = nullptr);
  int32_t Block(const std::vector<uint8_t>& bytes, int32_t code);
  // Rows r of a page whose every byte of row r is r + 1.
  static std::vector<uint8_t> Rows(uint32_t first, uint32_t count, uint32_t rowLength);

  std::vector<AppEvent> events;
  int32_t answerToPage = 0;   // answered to event 1
  std::vector<uint8_t> buffer;
  char fileNameTag[130] = {};
};

int32_t __stdcall RecordApplication(void* data, uint32_t* size, int32_t code);
