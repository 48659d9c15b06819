// The scan frame of a TWAIN scan: the area tags fitted inside the physical size.
#include <cstdint>

#include "tag_state.h"
#include "tw_caps.h"
#include "tw_push.h"
#include "tw_set_prop_steps.h"

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
  // TW_FRAME: Left, Top, Right, Bottom.
  uint32_t frame[4] = {FloatFix32(x.start), FloatFix32(y.start), FloatFix32(x.start + x.size),
                       FloatFix32(y.start + y.size)};
  return CallTWAINSetValue(kIcapFrames, kTwOneValue, frame);
}
