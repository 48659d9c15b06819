// The paths measured through pavlot.dll, as a caller binds and drives it: the library loaded by
// name, the driver kind chosen by the stored SOURCE value, and each scan timed around ZebAcquire.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim_scanner.h"

enum class Floor { kRawG4, kRawJpeg, kPageBlock };

struct BenchPath {
  const char* name;
  zebsim::PixelKind pixel;
  const char* file;  // the page file's name in file transfer; null for page DIBs
  int16_t format;    // FILEFORMAT
  int16_t compression;
  int16_t multipage;
  Floor floor;
};

const std::vector<BenchPath>& BenchPaths();

struct BenchSetup {
  int pages = 50;
  int dpi = 300;
  int compressQuality = 14;  // JPEG quality 20 + 4 x 14 = 76
  std::string folder;        // where the page files go, emptied after each scan
  std::string keepFile;      // when set, one page file of the scan is kept under this name
};

// Loads pavlot.dll over driver kind `kind` (0 the maker's driver, 1 TWAIN) with FILEFORMAT stored
// as `fileFormat` first, since the library offers the compression modes of the plug-in it loads
// with; false with a message.
bool OpenPavlot(int kind, int16_t fileFormat);
void ClosePavlot();

// One scan of setup.pages A4 pages on `path`; milliseconds inside ZebAcquire, or with a message in
// `why` kNotOffered when the driver kind refuses the path's settings, kFailed when the scan failed
// or delivered other than the pages asked for.
constexpr double kNotOffered = -2, kFailed = -1;
double RunPath(const BenchPath& path, const BenchSetup& setup, std::string* why);
