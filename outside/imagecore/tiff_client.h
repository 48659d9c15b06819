// libtiff over the caller's stream procedures.
#pragma once
#include <tiffio.h>

#include "stream.h"

namespace imagecore {

// mode as for TIFFOpen ("r", "w"); the stream must outlive the TIFF.
TIFF* TiffOpenStream(const Stream& stream, const char* mode);

// Notes what libtiff reports about the pixel data while `decoding` is set: any error, the JPEG
// decoder's warnings about corrupt or missing data (it pads such strips with gray and goes on)
// and the Group 4 decoder's about lines of the wrong length. A strip that reads back with any of
// them is damaged, whatever the call answered.
struct TiffDecodeWatch {
  bool decoding = false;
  bool damaged = false;
};

// As above, the library's messages about this TIFF going to `watch` (which must outlive it).
TIFF* TiffOpenWatched(const Stream& stream, const char* mode, TiffDecodeWatch& watch);

// The libjpeg warnings that mean image data was lost: corrupt entropy data, a premature end.
bool JpegWarningMeansDamage(const char* text);

struct TiffCloser {
  TIFF* tif;
  ~TiffCloser() { if (tif) TIFFClose(tif); }
};

}  // namespace imagecore
