// What a path cannot beat, timed in the benchmark process on the very pages the scanner makes:
// the simulated scanner alone, the raw codecs on its pages, and one fresh page-sized global block
// per page. Each answers milliseconds for all `pages` pages, or a negative value on failure.
#pragma once
#include <string>

#include "sim_scanner.h"

// The simulator delivering every page whole to a callback that keeps nothing, in large blocks.
double TimeSimulatorAlone(const zebsim::PageFormat& format, int pages);

// libtiff coding the black-and-white pages as one G4 multipage TIFF file (each page rendered
// before its timing starts).
double TimeRawG4(const zebsim::PageFormat& format, int pages, const std::string& file);

// libjpeg-turbo coding the pages, one file each, from the scanner's rows, exactly as the path
// coded them: the quantisation tables, chroma sampling and colour space read from `pathFile`, a
// page file the path wrote, the DCT method and smoothing from the writers' own coding settings.
double TimeRawJpeg(const zebsim::PageFormat& format, int pages, const std::string& pathFile,
                   const std::string& folder);

// Allocating, locking, writing and freeing one page DIB-sized movable global block per page.
double TimePageBlocks(const zebsim::PageFormat& format, int pages);
