// Depth conversions: the library's and the own 8-bit to 24-bit one.
#include "crde_bindings.h"
#include "crde_call.h"
#include "dib_handle.h"
#include "qm_tdib.h"

namespace {

HGLOBAL Convert(const char* entry, CopyDIBProc& proc, HGLOBAL dib) {
  if (!BindCrde(entry, proc)) return nullptr;
  HGLOBAL result = nullptr;
  if (!GuardedDllCall([&] { result = proc(dib); })) return nullptr;
  return result;
}

}  // namespace

HGLOBAL CopyDib(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("CopyDIB", p, dib); }
HGLOBAL Dib1To4(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB1to4", p, dib); }
HGLOBAL Dib1To8(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB1To8", p, dib); }
HGLOBAL Dib1To24(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB1To24", p, dib); }
HGLOBAL Dib4To8(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB4To8", p, dib); }
HGLOBAL Dib4To24(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB4To24", p, dib); }
HGLOBAL Dib16To24(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB16To24", p, dib); }
HGLOBAL Dib32To24(HGLOBAL dib) { static CopyDIBProc p = nullptr; return Convert("DIB32To24", p, dib); }

HGLOBAL Dib8To24(HGLOBAL dib) {
  if (!dib || GlobalSize(dib) == 0) throw ErrorInvalid(pictorel_text::kInputEmpty);
  QmTDib source;
  source.SetDib(static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)));
  source.Owned = false;
  if (source.BitCount() != 8) {
    GlobalUnlock(dib);
    throw ErrorInvalid(pictorel_text::kInputNot8Bit);
  }
  const uint8_t* sourceBits = source.Bits();
  if (!sourceBits) {  // rows or table outside the block
    GlobalUnlock(dib);
    throw ErrorInvalid(pictorel_text::kInputEmpty);
  }
  QmTDib target;
  target.CreateBlankDib(nullptr, source.Width(), source.Height(), 24);
  target.Owned = false;
  // The colour table itself, read within its bounds; indexes past it are black.
  const auto* table = reinterpret_cast<const RGBQUAD*>(sourceBits - 4 * source.ColorCount());
  uint32_t colors = source.ColorCount();
  int width = source.Width(), height = source.Height() < 0 ? -source.Height() : source.Height();
  size_t sourceRow = (size_t(width) * 8 + 31) / 32 * 4, targetRow = (size_t(width) * 24 + 31) / 32 * 4;
  uint8_t* targetBits = target.Bits();
  for (int y = 0; y < height; ++y) {
    const uint8_t* s = sourceBits + size_t(y) * sourceRow;
    uint8_t* t = targetBits + size_t(y) * targetRow;
    for (int x = 0; x < width; ++x) {
      RGBQUAD c = s[x] < colors ? table[s[x]] : RGBQUAD{0, 0, 0, 0};
      t[3 * x] = c.rgbBlue;
      t[3 * x + 1] = c.rgbGreen;
      t[3 * x + 2] = c.rgbRed;
    }
  }
  target.Dib()->biXPelsPerMeter = source.Dib()->biXPelsPerMeter;
  target.Dib()->biYPelsPerMeter = source.Dib()->biYPelsPerMeter;
  HGLOBAL result = GlobalHandle(target.Dib());
  source.SetDib(nullptr);
  target.SetDib(nullptr);
  GlobalUnlock(dib);
  return result;
}
