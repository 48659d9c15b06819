// cropdeskew2.dll: deskew and crop of pages lying on the scanner's backing plate. `reference`
// learns the plate from its bare background lines once per scan; `deskew_crop_option`
// straightens and trims each page. The corrected page stays this library's until the next call.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "paper_finder.h"

namespace {

constexpr int32_t kStateKnown = 0x100;  // the state holds a plate level in its low byte
constexpr int32_t kBadArgument = -1, kNoReference = -2, kNoMemory = -3;

int SamplesOf(int32_t mode) { return (mode & 3) == 2 ? 3 : 1; }

std::vector<uint8_t>& Output() {
  static std::vector<uint8_t> page;
  return page;
}

}  // namespace

extern "C" int32_t __stdcall reference(void* referenceBuffer, void* background, int32_t xRes,
                                       int32_t lines, int32_t width, int32_t mode,
                                       int32_t* state) {
  if (background == nullptr || state == nullptr || width <= 0 || lines <= 0) return kBadArgument;
  const int samples = SamplesOf(mode);
  const auto* rows = static_cast<const uint8_t*>(background);
  const uint8_t level = cropdeskew::PlateLevel(rows, width, lines, samples);
  // The reference holds the plate's level per column, for a caller that looks at it.
  if (referenceBuffer != nullptr) {
    auto* ref = static_cast<uint8_t*>(referenceBuffer);
    for (int x = 0; x < width; ++x)
      ref[x] = cropdeskew::PlateLevel(rows + size_t(x) * samples, 1, 1, samples);
  }
  *state = kStateKnown | level;
  return 0;
}

extern "C" int32_t __stdcall deskew_crop_option(void** outImage, int32_t* newWidth,
                                                int32_t* newLength, int32_t xRes,
                                                void* referenceBuffer, void* page, int32_t width,
                                                int32_t lines, int32_t mode, int32_t state) {
  if (outImage == nullptr || newWidth == nullptr || newLength == nullptr || page == nullptr ||
      width <= 0 || lines <= 0)
    return kBadArgument;
  if ((state & kStateKnown) == 0) return kNoReference;
  try {
    cropdeskew::RawImage in;
    in.width = width;
    in.length = lines;
    in.samples = SamplesOf(mode);
    const auto* bytes = static_cast<const uint8_t*>(page);
    in.pixels.assign(bytes, bytes + size_t(width) * lines * in.samples);
    cropdeskew::RawImage out =
        cropdeskew::DeskewAndCrop(in, uint8_t(state & 0xFF), xRes > 0 ? xRes : 300);
    Output().swap(out.pixels);
    *outImage = Output().data();
    *newWidth = out.width;
    *newLength = out.length;
    return 0;
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}
