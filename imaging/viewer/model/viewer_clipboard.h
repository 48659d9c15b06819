// The viewer's clipboard and printing rules without the platform: whether a CF_DIB block from
// any program is a page the viewer can take, which keys cut, copy and paste, and how a page is
// sized and scaled for the printer.
#pragma once
#include <cstddef>
#include <cstdint>

#include "viewer_geometry.h"
#include "viewer_types.h"

namespace qm {

enum class ClipboardDibFault {
  kNone, kTooSmall, kHeaderSize, kDimensions, kDepth, kCompression, kColorTable, kRowsBeyondBlock
};
// block holds blockSize bytes (what GlobalSize says), starting with a BITMAPINFOHEADER.
ClipboardDibFault CheckClipboardDib(const uint8_t* block, size_t blockSize);
const char* ClipboardDibFaultText(ClipboardDibFault fault);

enum class ClipboardKey { kNone, kPaste, kCopy, kCut };
// Shift state flags as the control layer gives them.
constexpr int kShiftFlag = 1, kCtrlFlag = 4;
// Shift+Insert pastes (Shift is tested first), Ctrl+Insert copies, Shift+Delete cuts.
ClipboardKey ClipboardKeyFor(uint16_t virtualKey, int shift);
// The characters Ctrl+C (3), Ctrl+V (22) and Ctrl+X (24).
ClipboardKey ClipboardCharFor(char c);

struct PrintPlan {
  bool gray = false;  // printed from a gray copy made at the target size
  int32_t width = 0, height = 0;
};
// A width or height below 1 prints the page at its own pixel size; the rule applies before the
// gray copy is made, so that the copy has a size.
PrintPlan PlanPrint(TScaleToGray printScale, int bitCount, QmSize image, int32_t width,
                    int32_t height);

}  // namespace qm
