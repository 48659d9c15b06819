#include "dib_block_port.h"

#include <algorithm>
#include <cstring>

#include "qm_save_image_thrd.h"
#include "wide_path.h"

namespace qm {

namespace {
HGLOBAL H(DibRef d) { return reinterpret_cast<HGLOBAL>(d); }

// The header stays locked only for the moment it is read or changed.
class LockedHeader {
 public:
  explicit LockedHeader(DibRef dib) : h_(H(dib)) {
    if (h_ && GlobalSize(h_) >= sizeof(BITMAPINFOHEADER))
      p_ = static_cast<BITMAPINFOHEADER*>(GlobalLock(h_));
  }
  ~LockedHeader() {
    if (p_) GlobalUnlock(h_);
  }
  BITMAPINFOHEADER* operator->() { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  BITMAPINFOHEADER* get() { return p_; }

 private:
  HGLOBAL h_;
  BITMAPINFOHEADER* p_ = nullptr;
};
}  // namespace

size_t DibHeaderBytes(const BITMAPINFOHEADER& h) {
  uint32_t colors = h.biClrUsed;
  if (colors == 0 && h.biBitCount <= 8) colors = 1u << h.biBitCount;
  return 40 + 4 * size_t(colors);
}

HGLOBAL CopyDibBlock(HGLOBAL dib) {
  if (!dib) return nullptr;
  SIZE_T size = GlobalSize(dib);
  if (size == 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!copy) return nullptr;
  void* from = GlobalLock(dib);
  void* to = GlobalLock(copy);
  if (from && to) std::memcpy(to, from, size);
  if (from) GlobalUnlock(dib);
  if (to) GlobalUnlock(copy);
  return copy;
}

bool DibBlockPort::FileExists(const std::string& name) {
  DWORD a = GetFileAttributesW(WidePath(name).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t DibBlockPort::FileSize(const std::string& name) {
  HANDLE f = CreateFileW(WidePath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size);
  CloseHandle(f);
  return ok ? size.QuadPart : -1;
}

DibFacts DibBlockPort::Facts(DibRef dib) {
  LockedHeader h(dib);
  if (!h) return {};
  return {h->biWidth, h->biHeight, h->biBitCount, h->biXPelsPerMeter, h->biYPelsPerMeter};
}

void DibBlockPort::SetPixelsPerMetre(DibRef dib, int32_t x, int32_t y) {
  LockedHeader h(dib);
  if (!h) return;
  h->biXPelsPerMeter = x;
  h->biYPelsPerMeter = y;
}

void DibBlockPort::InvertPixelRows(DibRef dib, size_t bytes) {
  LockedHeader h(dib);
  if (!h) return;
  size_t offset = DibHeaderBytes(*h.get());
  size_t total = GlobalSize(H(dib));
  if (offset >= total) return;
  bytes = std::min(bytes, total - offset);  // never past the block, whatever the header says
  auto* p = reinterpret_cast<uint8_t*>(h.get()) + offset;
  for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(~p[i]);
}

size_t DibBlockPort::PixelBytes(DibRef dib) {
  LockedHeader h(dib);
  if (!h) return 0;
  size_t offset = DibHeaderBytes(*h.get());
  size_t total = GlobalSize(H(dib));
  return offset < total ? total - offset : 0;
}

DibRef DibBlockPort::Duplicate(DibRef dib) {
  HGLOBAL copy = CopyDibBlock(H(dib));
  if (dib && !copy) Raise("Can't allocate memory");
  return reinterpret_cast<DibRef>(copy);
}

void DibBlockPort::Free(DibRef dib) { ReleasePageBlock(H(dib)); }

int DibBlockPort::ScreenBitDepth() {
  HDC dc = GetDC(nullptr);
  int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  if (bits <= 4) return 4;
  if (bits == 8) return 8;
  if (bits >= 16) return 24;
  return 8;
}

}  // namespace qm
