// Tags of a TIFF page, one by one or all through the caller's callback.
#include <cstring>

#include "crde_common.h"
#include "tiff_codec.h"

using namespace imagecore;

namespace {

// A zero-terminated copy of text in a new movable block; 0 when memory runs out.
HGLOBAL TextBlock(const std::string& text) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!h) return nullptr;
  char* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(h);
  return h;
}

int16_t Length16(uint32_t length) { return int16_t(length > 32767 ? 32767 : length); }

Status OneTag(const uint8_t* data, size_t size, int16_t page, uint16_t tag, int16_t* length,
              int32_t* value, HGLOBAL* text) {
  if (page < 0) return kBadPage;
  if (text) *text = nullptr;
  TiffTag t;
  Status s = ReadTiffTag(data, size, uint32_t(page), tag, t);
  if (s != kOk) return s;
  if (length) *length = Length16(t.length);
  if (value) *value = t.value;
  if (t.length >= 5 && text) {
    *text = TextBlock(t.text);
    if (!*text) return kNoMemory;
  }
  return kOk;
}

Status AllTags(const uint8_t* data, size_t size, int16_t page, void* sender, QmTagProc callback) {
  if (page < 0) return kBadPage;
  if (!callback) return kBadArgument;
  std::vector<TiffTag> tags;
  Status s = ReadTiffTags(data, size, uint32_t(page), tags);
  if (s != kOk) return s;
  for (const TiffTag& t : tags) {
    HGLOBAL text = t.length >= 5 ? TextBlock(t.text) : nullptr;
    if (callback(t.tag, Length16(t.length), t.value, text, sender) == 0) break;
  }
  return kOk;
}

}  // namespace

extern "C" int16_t __stdcall readtag(const char* file, int16_t page, uint16_t tag, int16_t* length,
                                     int32_t* value, HGLOBAL* text) {
  return crde::Guard([&]() -> Status {
    std::vector<uint8_t> bytes;
    Status s = dibglue::ReadWholeFile(file, bytes);
    return s == kOk ? OneTag(bytes.data(), bytes.size(), page, tag, length, value, text) : s;
  });
}

extern "C" int16_t __stdcall readtagstream(const void* data, int32_t size, int16_t page, uint16_t tag,
                                           int16_t* length, int32_t* value, HGLOBAL* text) {
  return crde::Guard([&]() -> Status {
    if (!data || size <= 0) return kBadArgument;
    return OneTag(static_cast<const uint8_t*>(data), size_t(size), page, tag, length, value, text);
  });
}

extern "C" int16_t __stdcall returntags(const char* file, int16_t page, void* sender, QmTagProc callback) {
  return crde::Guard([&]() -> Status {
    std::vector<uint8_t> bytes;
    Status s = dibglue::ReadWholeFile(file, bytes);
    return s == kOk ? AllTags(bytes.data(), bytes.size(), page, sender, callback) : s;
  });
}

extern "C" int16_t __stdcall returntagsstream(const void* data, int32_t size, int16_t page, void* sender,
                                              QmTagProc callback) {
  return crde::Guard([&]() -> Status {
    if (!data || size <= 0) return kBadArgument;
    return AllTags(static_cast<const uint8_t*>(data), size_t(size), page, sender, callback);
  });
}
