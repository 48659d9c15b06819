// libtiff over the caller's stream procedures.
#pragma once
#include <tiffio.h>

#include "stream.h"

namespace imagecore {

// mode as for TIFFOpen ("r", "w"); the stream must outlive the TIFF.
TIFF* TiffOpenStream(const Stream& stream, const char* mode);

struct TiffCloser {
  TIFF* tif;
  ~TiffCloser() { if (tif) TIFFClose(tif); }
};

}  // namespace imagecore
