// The steps of TWAINSetProp that decide something, each on its own so tests can reach them.
#pragma once
#include <cstdint>

// The transfer mechanism and who makes the pages (compression, file format, ICAP_XFERMECH).
// Answers 0 or the code that ends the push; DriverDelivers is cleared where the source refuses.
int32_t PushTransferChoice();

// The paper path by SCANTYPE: feeder, flatbed or transparency; sets FeederInUse. Answers 0,
// the refusal that ends the push, or -16 for a feeder scan with no paper.
int32_t PushPaperPath();

// One side of the scan area fitted inside the physical size: a negative start becomes 0; a span
// that sticks out is cut to the physical size and moved to end on the physical edge.
struct FrameSpan {
  float start;
  float size;
};
FrameSpan FitFrameSpan(float start, float size, float physical);

// ICAP_FRAMES from the area tags in the current unit; answers the source's code.
int32_t PushScanFrame();
