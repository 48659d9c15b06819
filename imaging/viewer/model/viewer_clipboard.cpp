#include "viewer_clipboard.h"

#include <cstring>

namespace qm {

namespace {
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
constexpr size_t kInfoHeader = 40;
constexpr uint16_t kVkInsert = 0x2D, kVkDelete = 0x2E;
}  // namespace

ClipboardDibFault CheckClipboardDib(const uint8_t* block, size_t size) {
  if (!block || size < kInfoHeader) return ClipboardDibFault::kTooSmall;
  // Only the plain header: the viewer finds the colour table and rows right after it.
  if (U32(block) != kInfoHeader) return ClipboardDibFault::kHeaderSize;
  int32_t width = int32_t(U32(block + 4)), height = int32_t(U32(block + 8));
  uint16_t planes = U16(block + 12), bits = U16(block + 14);
  uint32_t compression = U32(block + 16), colors = U32(block + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1)
    return ClipboardDibFault::kDimensions;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return ClipboardDibFault::kDepth;
  if (compression != 0) return ClipboardDibFault::kCompression;
  uint64_t table = colors ? colors : (bits <= 8 ? 1u << bits : 0);
  if ((bits <= 8 && colors > (1u << bits)) || table > 256) return ClipboardDibFault::kColorTable;
  uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : int64_t(height));
  uint64_t rowBytes = (uint64_t(width) * bits + 31) / 32 * 4;
  uint64_t needed = kInfoHeader + 4 * table + rowBytes * rows;
  if (needed > size) return ClipboardDibFault::kRowsBeyondBlock;
  return ClipboardDibFault::kNone;
}

const char* ClipboardDibFaultText(ClipboardDibFault fault) {
  switch (fault) {
    case ClipboardDibFault::kNone: return "";
    case ClipboardDibFault::kTooSmall: return "The clipboard image is too small to be a bitmap";
    case ClipboardDibFault::kHeaderSize: return "The clipboard image has an unknown header";
    case ClipboardDibFault::kDimensions: return "The clipboard image has no valid size";
    case ClipboardDibFault::kDepth: return "The clipboard image has an unsupported bit depth";
    case ClipboardDibFault::kCompression: return "The clipboard image is compressed";
    case ClipboardDibFault::kColorTable: return "The clipboard image has an invalid colour table";
    case ClipboardDibFault::kRowsBeyondBlock: return "The clipboard image is truncated";
  }
  return "";
}

ClipboardKey ClipboardKeyFor(uint16_t key, int shift) {
  if (key == kVkInsert) {
    if (shift & kShiftFlag) return ClipboardKey::kPaste;
    if (shift & kCtrlFlag) return ClipboardKey::kCopy;
  }
  if (key == kVkDelete && (shift & kShiftFlag)) return ClipboardKey::kCut;
  return ClipboardKey::kNone;
}

ClipboardKey ClipboardCharFor(char c) {
  switch (c) {
    case 3: return ClipboardKey::kCopy;
    case 22: return ClipboardKey::kPaste;
    case 24: return ClipboardKey::kCut;
    default: return ClipboardKey::kNone;
  }
}

PrintPlan PlanPrint(TScaleToGray printScale, int bitCount, QmSize image, int32_t width,
                    int32_t height) {
  PrintPlan plan;
  plan.width = width;
  plan.height = height;
  if (width < 1 || height < 1) {
    plan.width = image.width;
    plan.height = image.height < 0 ? -image.height : image.height;
  }
  plan.gray = printScale != TScaleToGray::S_Gray_None && bitCount <= 2;
  return plan;
}

}  // namespace qm
