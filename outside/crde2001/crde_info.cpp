// What a file holds: kind, size, depth and, for TIFF, the page's compression and page count.
#include <cstring>

#include "crde_common.h"
#include "tiff_codec.h"

using namespace imagecore;

static void CopyText(char* to, size_t room, const std::string& text) {
  if (!to || !room) return;
  size_t n = text.size() < room - 1 ? text.size() : room - 1;
  std::memcpy(to, text.data(), n);
  to[n] = 0;
}

static uint16_t Clip16(uint32_t v) { return v > 65535 ? 65535 : uint16_t(v); }

extern "C" int16_t __stdcall fileinfo(const char* file, char* format, uint16_t* width, uint16_t* height,
                                      int16_t* bits, int16_t* reserved1, int16_t* reserved2,
                                      char* description, int16_t) {
  CopyText(format, 6, "");
  CopyText(description, 26, "");
  return crde::Guard([&]() -> Status {
    dibglue::FileStream f(file);
    if (!f.IsOpen()) return kOpenFailed;
    FileInfo info;
    Status s = ProbeFile(f.AsStream(), info);
    CopyText(format, 6, info.name);
    CopyText(description, 26, info.colorText);
    if (width) *width = Clip16(info.width);
    if (height) *height = Clip16(info.height);
    if (bits) *bits = int16_t(info.bits);
    if (reserved1) *reserved1 = 0;
    if (reserved2) *reserved2 = int16_t(info.pages);
    return s;
  });
}

static Status PageInfo(const Stream& in, int16_t page, uint16_t* width, uint16_t* height,
                       int16_t* compression, int16_t* discarded, int16_t* pages, int16_t* bits) {
  if (page < 0) return kBadPage;
  TiffPageInfo info;
  Status s = TiffInfo(in, uint32_t(page), info);
  if (s != kOk && s != kBadPage) return s;
  if (width) *width = Clip16(info.width);
  if (height) *height = Clip16(info.height);
  if (compression) *compression = int16_t(info.compression);
  if (discarded) *discarded = 0;
  if (pages) *pages = int16_t(info.pages > 32767 ? 32767 : info.pages);
  if (bits) *bits = int16_t(info.bits);
  return s;
}

extern "C" int16_t __stdcall getinfo(const char* file, int16_t page, uint16_t* width, uint16_t* height,
                                     int16_t* compression, int16_t* discarded, int16_t* pages,
                                     int16_t* bits) {
  return crde::Guard([&]() -> Status {
    dibglue::FileStream f(file);
    if (!f.IsOpen()) return kOpenFailed;
    return PageInfo(f.AsStream(), page, width, height, compression, discarded, pages, bits);
  });
}

extern "C" int16_t __stdcall getinfostream(const void* data, int32_t size, int16_t page, uint16_t* width,
                                           uint16_t* height, int16_t* compression, int16_t* discarded,
                                           int16_t* pages, int16_t* bits) {
  return crde::Guard([&]() -> Status {
    if (!data || size <= 0) return kBadArgument;
    ReadOnlyMemory m(static_cast<const uint8_t*>(data), size_t(size));
    return PageInfo(m.AsStream(), page, width, height, compression, discarded, pages, bits);
  });
}
