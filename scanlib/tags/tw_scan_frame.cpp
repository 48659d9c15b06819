// The scan frame of a TWAIN scan: the area tags fitted inside the physical size.
#include <cstdint>

#include "tag_state.h"
#include "tw_caps.h"
#include "tw_push.h"
#include "tw_set_prop_steps.h"

namespace {

// Source pixels per library pixel in the pixel unit; 1 for the other units.
float PixelScale(int32_t resolution) {
  const int32_t dpi = resolution & 0xFFFF;
  if (CurrentInt(kRowUnits) != 2 || dpi <= 0) return 1.0f;
  return static_cast<float>(dpi) / 300.0f;
}

}  // namespace

FrameSpan FitFrameSpan(float start, float size, float physical) {
  FrameSpan s{start > 0.0f ? start : 0.0f, size > 0.0f ? size : 0.0f};
  if (s.start + s.size > physical) {
    if (!(physical > s.size)) s.size = physical > 0.0f ? physical : 0.0f;
    s.start = physical - s.size;
    if (s.start < 0.0f) s.start = 0.0f;
  }
  return s;
}

int32_t PushScanFrame() {
  const FrameSpan x = FitFrameSpan(CurrentFloat(kRowXPosition), CurrentFloat(kRowImageWidth),
                                   CurrentFloat(kRowPhysicalWidth));
  const FrameSpan y = FitFrameSpan(CurrentFloat(kRowYPosition), CurrentFloat(kRowImageLength),
                                   CurrentFloat(kRowPhysicalHeight));
  // The library's pixels are 300 to the inch; a TWAIN source counts pixels at its resolution.
  const float sx = PixelScale(CurrentInt(kRowXResolution));
  const float sy = PixelScale(CurrentInt(kRowYResolution));
  // TW_FRAME: Left, Top, Right, Bottom.
  uint32_t frame[4] = {FloatFix32(x.start * sx), FloatFix32(y.start * sy),
                       FloatFix32((x.start + x.size) * sx), FloatFix32((y.start + y.size) * sy)};
  return CallTWAINSetValue(kIcapFrames, kTwOneValue, frame);
}
