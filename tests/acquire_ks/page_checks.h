// What the application's callback received during a scan, and checks of page DIBs against the
// pages the simulated scanner makes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scan_page_info.h"
#include "sim_scanner.h"

struct ReceivedScan {
  std::vector<ScanPageInfo> infos;              // every event 2, as the application saw it
  std::vector<std::vector<uint8_t>> dibs;       // every page DIB of event 1, copied out
  std::vector<bool> dibsUnlocked;               // the handle came with lock count 0
  std::vector<bool> dibsFreed;                  // GlobalFree took the handle
  std::vector<std::pair<int32_t, uint32_t>> blocks;  // memory mode: code and byte count
  std::vector<uint8_t> memoryRows;              // memory mode: every byte, in order
  std::vector<uint32_t> blockSizeAsked;         // *size after each event 2 (memory mode)
  int stopAtPage = 0;                           // answer `stopAnswer` to this page's event 1
  int32_t stopAnswer = 0;
  int32_t infoAnswer = 0;                       // answered to every event 2
};

// The callback given to ZebAcquire; records into the scan set with Record().
int32_t __stdcall RecordPage(void* data, uint32_t* size, int32_t code);
int32_t __stdcall RecordBlock(void* data, uint32_t* size, int32_t code);
void Record(ReceivedScan* scan);

// The page the scanner made, as the simulator renders it.
struct ExpectedPage {
  zebsim::PageFormat format;
  int pageNumber;
};

// Empty when the DIB is the expected page (header, palette, pixels); else what differs.
std::string CompareDib(const std::vector<uint8_t>& dib, const ExpectedPage& page);
// The page number written on a page DIB, -1 when unreadable.
int DibPageNumber(const std::vector<uint8_t>& dib);
