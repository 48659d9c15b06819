// How every simulated driver hands its pages over: each page announced with a ScanPageInfo, then
// its rows in blocks through the caller's page callback, and the scripted fault where it strikes.
#pragma once
#include <cstdint>
#include <vector>

#include "scan_page_info.h"
#include "sim_scanner.h"

namespace zebsim {

// The scan area cut from the page, in pixels at the scan resolution.
struct ScanArea {
  PageFormat format;
  PageGeometry page;
  int left, top, width, length, bitsPerPixel, rowBytes;
  bool plate = false;       // the whole frame around a page skewed on the plate
  bool blackPlate = false;
  PlateSetup plateSetup;
};

// The area of the page the format makes, kept inside it (at least one pixel each way).
ScanArea MakeScanArea(const PageFormat& format, int left, int top, int width, int length);
// The whole frame of the plate around the page: the scanner overscans the paper, whatever the area.
ScanArea MakePlateScanArea(const PageFormat& format, const PlateSetup& plate, bool blackPlate);

// What the caller told the driver, where it is not a stop of its own.
constexpr int32_t kDeliveryNoBlock = -8;  // the callback asked for blocks of 0 bytes

// One scan from `source`: pages until the source ends, `limit` pages are out (limit < 1 takes
// all) or the callback stops. Rows go into `buffer` (or a block of the driver's own when it is
// null), whole rows per block when one fits the callback's block size, else in pieces. Answers 0,
// the callback's stop, or the fault's code; a page cut by a fault stays in the feeder.
int32_t RunFeederScan(SimFeeder& source, const ScanArea& area, int limit, PageCallbackProc callback,
                      void* buffer);

}  // namespace zebsim
