// How every JPEG this system writes is coded beyond its size and colours, in one place so that
// whatever must code exactly as the writers do (a benchmark's floor) takes it from here: the
// codec's defaults (standard Huffman tables, 4:2:0 chroma for colour), the quality's tables,
// the accurate integer DCT and the smoothing asked for.
#pragma once
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace imagecore {

constexpr J_DCT_METHOD kJpegWriteDct = JDCT_ISLOW;
// The file-format plug-ins code their JPEG pages without smoothing.
constexpr int kPluginJpegSmoothing = 0;

inline void SetJpegCoding(jpeg_compress_struct* c, int quality, int smoothing) {
  jpeg_set_defaults(c);
  jpeg_set_quality(c, quality, TRUE);
  c->dct_method = kJpegWriteDct;
  c->smoothing_factor = smoothing;
}

}  // namespace imagecore
