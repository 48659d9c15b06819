// TIFF writing and page maintenance, on files and on TIFFs held in global blocks. A file is
// rewritten whole and replaced only when the new contents are complete.
#include <cstring>

#include "crde_common.h"
#include "tiff_codec.h"

using namespace imagecore;

namespace {

Status PageImage(HGLOBAL dib, int16_t bits, Image& image) { return crde::TakeForWriting(dib, bits, image); }

// Reads the file (absent counts as empty when allowed), applies op, writes it back.
template <typename Op>
Status OnFile(const char* file, bool mayBeAbsent, Op op) {
  if (!file || !*file) return kBadArgument;
  std::vector<uint8_t> bytes;
  if (dibglue::FileExists(file)) {
    Status s = dibglue::ReadWholeFile(file, bytes);
    if (s != kOk) return s;
  } else if (!mayBeAbsent) {
    return kOpenFailed;
  }
  Status s = op(bytes);
  return s == kOk ? dibglue::WriteWholeFile(file, bytes) : s;
}

// Applies op to the TIFF in *data and stores the result in that block, enlarging it if needed.
template <typename Op>
Status OnBlock(HGLOBAL* data, int32_t* size, Op op) {
  if (!data || !*data || !size || *size <= 0 || SIZE_T(*size) > GlobalSize(*data)) return kBadArgument;
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(*data));
  if (!p) return kBadArgument;
  std::vector<uint8_t> bytes(p, p + *size);
  GlobalUnlock(*data);
  Status s = op(bytes);
  if (s != kOk) return s;
  if (bytes.size() > 0x7FFFFFFF) return kTooLarge;
  if (GlobalSize(*data) < bytes.size()) {
    HGLOBAL bigger = GlobalReAlloc(*data, bytes.size(), GMEM_MOVEABLE);
    if (!bigger) return kNoMemory;
    *data = bigger;
  }
  uint8_t* q = static_cast<uint8_t*>(GlobalLock(*data));
  std::memcpy(q, bytes.data(), bytes.size());
  GlobalUnlock(*data);
  *size = int32_t(bytes.size());
  return kOk;
}

template <typename Work>
int16_t WithProgress(void* sender, QmProgressProc progress, Work work) {
  return crde::Guard([&]() -> Status {
    if (!crde::Report(progress, sender, 0)) return kCancelled;
    Status s = work();
    if (s == kOk) crde::Report(progress, sender, 100);
    return s;
  });
}

}  // namespace

extern "C" int16_t __stdcall writetiffiledib(const char* file, int16_t compression, int16_t bits,
                                             int16_t append, HGLOBAL dib, void* sender,
                                             QmProgressProc progress, int16_t) {
  return WithProgress(sender, progress, [&]() -> Status {
    Image image;
    Status s = PageImage(dib, bits, image);
    if (s != kOk) return s;
    uint16_t code = uint16_t(compression);
    if (append) return OnFile(file, true, [&](std::vector<uint8_t>& b) { return TiffAppendPage(b, image, code); });
    return crde::WriteFileWith(file, [&](const Stream& out) { return WriteTiff(image, code, out); });
  });
}

extern "C" int16_t __stdcall writetiffiledibpage(const char* file, int16_t compression, int16_t bits,
                                                 int16_t page, HGLOBAL dib, void* sender,
                                                 QmProgressProc progress, int16_t) {
  return WithProgress(sender, progress, [&]() -> Status {
    if (page < 0) return kBadPage;
    Image image;
    Status s = PageImage(dib, bits, image);
    if (s != kOk) return s;
    return OnFile(file, true, [&](std::vector<uint8_t>& b) {
      return TiffInsertPage(b, image, uint16_t(compression), uint32_t(page));
    });
  });
}

extern "C" int16_t __stdcall writetiffiledibpagereplace(const char* file, int16_t compression, int16_t bits,
                                                        int16_t page, HGLOBAL dib, void* sender,
                                                        QmProgressProc progress, int16_t) {
  return WithProgress(sender, progress, [&]() -> Status {
    if (page < 0) return kBadPage;
    Image image;
    Status s = PageImage(dib, bits, image);
    if (s != kOk) return s;
    return OnFile(file, false, [&](std::vector<uint8_t>& b) {
      return TiffReplacePage(b, image, uint16_t(compression), uint32_t(page));
    });
  });
}

extern "C" int16_t __stdcall writetiffiledibpagereplacestream(HGLOBAL* data, int32_t* size,
                                                              int16_t compression, int16_t bits,
                                                              int16_t page, HGLOBAL dib, void* sender,
                                                              QmProgressProc progress, int16_t) {
  return WithProgress(sender, progress, [&]() -> Status {
    if (page < 0) return kBadPage;
    Image image;
    Status s = PageImage(dib, bits, image);
    if (s != kOk) return s;
    return OnBlock(data, size, [&](std::vector<uint8_t>& b) {
      return TiffReplacePage(b, image, uint16_t(compression), uint32_t(page));
    });
  });
}

extern "C" int16_t __stdcall packtiff(const char* file, void* sender, QmProgressProc progress) {
  return WithProgress(sender, progress, [&]() { return OnFile(file, false, TiffPack); });
}

extern "C" int16_t __stdcall packtiffstream(HGLOBAL* data, int32_t* size, void* sender,
                                            QmProgressProc progress) {
  return WithProgress(sender, progress, [&]() { return OnBlock(data, size, TiffPack); });
}

extern "C" int16_t __stdcall deletepage(const char* file, int16_t page) {
  return crde::Guard([&]() -> Status {
    if (page < 0) return kBadPage;
    return OnFile(file, false, [&](std::vector<uint8_t>& b) { return TiffDeletePage(b, uint32_t(page)); });
  });
}

extern "C" int16_t __stdcall deletepagestream(void* data, int32_t size, int16_t page) {
  return crde::Guard([&]() -> Status {
    if (!data || size <= 0) return kBadArgument;
    if (page < 0) return kBadPage;
    uint8_t* p = static_cast<uint8_t*>(data);
    std::vector<uint8_t> bytes(p, p + size);
    Status s = TiffDeletePage(bytes, uint32_t(page));
    if (s != kOk) return s;
    if (bytes.size() > size_t(size)) return kTooLarge;  // the caller's memory cannot grow
    std::memcpy(p, bytes.data(), bytes.size());
    std::memset(p + bytes.size(), 0, size_t(size) - bytes.size());
    return kOk;
  });
}
