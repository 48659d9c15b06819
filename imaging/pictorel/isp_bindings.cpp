#include "isp_bindings.h"

#include "crde_bindings.h"
#include "dib_handle.h"
#include "dll_loader.h"
#include "isp2000.h"

namespace {

int HandleBitCount(HGLOBAL handle) {
  if (!handle || GlobalSize(handle) < sizeof(BITMAPINFOHEADER)) return 0;
  auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(handle));
  if (!h) return 0;
  int bits = h->biBitCount;
  GlobalUnlock(handle);
  return bits;
}

}  // namespace

bool RotateImage(HGLOBAL& handle, int left, int top, int right, int bottom, double angle, COLORREF fill) {
  static QmRotateProc proc = nullptr;
  if (!handle || !BindIsp("QmRotate", proc)) return false;
  if (right == 0 || bottom == 0) {
    if (GlobalSize(handle) < sizeof(BITMAPINFOHEADER)) return false;
    auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(handle));
    left = 0;
    top = 0;
    right = h->biWidth;
    bottom = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    GlobalUnlock(handle);
  }
  OperationText() = "Rotating Image ";
  RECT rect{left, top, right, bottom};
  HGLOBAL rotated = nullptr;
  if (!GuardedDllCall([&] { rotated = proc(handle, angle, &rect, fill); }) || !rotated) return false;
  FreeDibHandle(handle);
  handle = rotated;
  return true;
}

HGLOBAL MirrorImage(HGLOBAL handle, bool first, bool second) {
  static QmMirrorProc proc = nullptr;
  if (!handle || !BindIsp("QmMirror", proc)) return nullptr;
  OperationText() = "Mirroring Image ";
  GlobalUnlock(handle);
  if (!GuardedDllCall([&] { proc(handle, first ? -1 : 0, second ? -1 : 0); })) return nullptr;
  return CopyDib(handle);
}

bool InvertImage(HGLOBAL& handle) {
  static QmInvertProc proc = nullptr;
  if (!handle || !BindIsp("QmInvert", proc)) return false;
  OperationText() = "Inverting Image";
  int32_t result = 0;
  return GuardedDllCall([&] { result = proc(handle); }) && result == 1;
}

static HGLOBAL CallScaleDib(HGLOBAL handle, int width, int height) {
  static ScaleDibProc proc = nullptr;
  if (!handle || !BindIsp("ScaleDib", proc)) return nullptr;
  OperationText() = "Resizing Image";
  HGLOBAL result = nullptr;
  GuardedDllCall([&] { result = proc(handle, width, height); });
  return result;
}

HGLOBAL ResizeImage(HGLOBAL handle, int width, int height, int bits) {
  int source = HandleBitCount(handle);
  if (source == 0) return nullptr;
  if (source >= 24) return CallScaleDib(handle, width, height);
  HGLOBAL wide = IncreaseColors(handle, 24);
  if (!wide) return nullptr;  // nothing to scale: never scale a null block
  HGLOBAL scaled = CallScaleDib(wide, width, height);
  FreeDibHandle(wide);
  if (!scaled || bits == 24) return scaled;
  HGLOBAL reduced = ReduceColors(scaled, source == 1 ? 4 : source);
  FreeDibHandle(scaled);
  return reduced;
}

HGLOBAL ScaleImageToGray(HGLOBAL handle, int mode, int width, int height) {
  static ScaleToGrayProc proc = nullptr;
  if (!handle || !BindIsp("ScaleToGray", proc)) return nullptr;
  OperationText() = std::string("Scaling Image To ") + "Gray";
  HGLOBAL result = nullptr;
  GuardedDllCall([&] { result = proc(handle, mode, width, height); });
  return result;
}

double DeskewImage(HGLOBAL& handle, int subsampling, int grayValue, double range,
                   double angleResolution, double lineResolution) {
  static TDeskewProc proc = nullptr;
  if (!handle || !BindIsp("tdeskew", proc)) return 0;
  OperationText() = "Deskewing Image ";
  double angle = 0;
  if (!GuardedDllCall([&] { angle = proc(handle, subsampling, range, angleResolution, lineResolution, grayValue); }))
    return 0;
  return angle;
}

HGLOBAL ReduceColors(HGLOBAL handle, int bits) {
  if (!handle) return nullptr;
  if (HandleBitCount(handle) == 32) return Dib32To24(handle);
  static ReduceDibProc proc = nullptr;
  if (!BindIsp("ReduceDib", proc)) return nullptr;
  OperationText() = "Reducing colors ";
  HGLOBAL result = nullptr;
  GuardedDllCall([&] { result = proc(handle, bits, 0, 0, 0, 0, 0, 0); });
  return result;
}

HGLOBAL IncreaseColors(HGLOBAL handle, int bits) {
  int source = HandleBitCount(handle);
  if (source == 24 || (source == bits && source <= 8) || bits < source) return nullptr;
  OperationText() = "Increasing colors ";
  switch (source) {
    case 1:
      if (bits == 4) return Dib1To4(handle);
      if (bits == 8) return Dib1To8(handle);
      if (bits == 24) return Dib1To24(handle);
      return nullptr;
    case 4:
      if (bits == 8) return Dib4To8(handle);
      if (bits == 24) return Dib4To24(handle);
      return nullptr;
    case 8: return Dib8To24(handle);
    case 16: return Dib16To24(handle);
  }
  return nullptr;
}
