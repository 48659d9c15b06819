// TIFF writing, page maintenance and tags.
#include "crde_bindings.h"
#include "crde_call.h"
#include "dib_handle.h"

bool WriteTiffFile(const std::string& file, int compression, int bits, bool append, HGLOBAL dib,
                   void* sender, QmProgressProc progress) {
  static writetiffiledibProc proc = nullptr;
  DllFileName name(file);
  return CallCrde("writetiffiledib", proc, "Writing " + file, [&](writetiffiledibProc p) {
    return p(name.text, int16_t(compression), int16_t(bits), int16_t(append ? 1 : 0), dib, sender, progress, 0);
  });
}

bool InsertTiffPage(const std::string& file, int compression, int bits, int page, HGLOBAL dib,
                    void* sender, QmProgressProc progress) {
  static writetiffiledibProc proc = nullptr;
  DllFileName name(file);
  return CallCrde("writetiffiledibpage", proc, "Inserting " + file, [&](writetiffiledibProc p) {
    return p(name.text, int16_t(compression), int16_t(bits), int16_t(page), dib, sender, progress, 0);
  });
}

bool ReplaceTiffPage(const std::string& file, int compression, int bits, int page, HGLOBAL dib,
                     void* sender, QmProgressProc progress) {
  static writetiffiledibProc proc = nullptr;
  if (!BindCrde("writetiffiledibpagereplace", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  return CallCrde("writetiffiledibpagereplace", proc, "Updating " + file, [&](writetiffiledibProc p) {
    return p(name.text, int16_t(compression), int16_t(bits), int16_t(page), dib, sender, progress, 0);
  });
}

bool ReplaceTiffPageStream(HGLOBAL& data, int32_t& size, int compression, int bits, int page,
                           HGLOBAL dib, void* sender, QmProgressProc progress) {
  static writetiffiledibpagereplacestreamProc proc = nullptr;
  return CallCrde("writetiffiledibpagereplacestream", proc, std::string("Updating ") + "Tiff Stream",
                  [&](writetiffiledibpagereplacestreamProc p) {
                    return p(&data, &size, int16_t(compression), int16_t(bits), int16_t(page), dib,
                             sender, progress, 0);
                  });
}

bool PackTiff(const std::string& file, void* sender, QmProgressProc progress) {
  static packtiffProc proc = nullptr;
  if (!BindCrde("packtiff", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  return CallCrde("packtiff", proc, "Packing " + file,
                  [&](packtiffProc p) { return p(name.text, sender, progress); });
}

bool PackTiffStream(HGLOBAL& data, int32_t& size, void* sender, QmProgressProc progress) {
  static packtiffstreamProc proc = nullptr;
  return CallCrde("packtiffstream", proc, std::string("Packing ") + "Tiff Stream",
                  [&](packtiffstreamProc p) { return p(&data, &size, sender, progress); });
}

bool DeletePage(const std::string& file, int page) {
  static deletepageProc proc = nullptr;
  if (!BindCrde("deletepage", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  return CallCrde("deletepage", proc, "", [&](deletepageProc p) { return p(name.text, int16_t(page)); });
}

bool DeletePageStream(void* data, int32_t size, int page) {
  static deletepagestreamProc proc = nullptr;
  return CallCrde("deletepagestream", proc, "",
                  [&](deletepagestreamProc p) { return p(data, size, int16_t(page)); });
}

namespace {

// Takes over the library's text block: one unlock, then free.
std::string TakeText(int16_t length, HGLOBAL block) {
  std::string text;
  if (length >= 5 && block) {
    const char* p = static_cast<const char*>(GlobalLock(block));
    if (p) text.assign(p, strnlen(p, GlobalSize(block)));
    GlobalUnlock(block);
  }
  if (block) GlobalFree(block);
  return text;
}

}  // namespace

bool ReadTag(const std::string& file, int page, uint16_t tag, int& length, int32_t& value, std::string& text) {
  static readtagProc proc = nullptr;
  if (!BindCrde("readtag", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  int16_t len = 0;
  HGLOBAL block = nullptr;
  value = 0;
  bool ok = CallCrde("readtag", proc, "TAG Read = " + file, [&](readtagProc p) {
    return p(name.text, int16_t(page), tag, &len, &value, &block);
  });
  length = len;
  text = TakeText(len, block);
  return ok;
}

bool ReadTagStream(const void* data, int32_t size, int page, uint16_t tag, int& length, int32_t& value,
                   std::string& text) {
  static readtagstreamProc proc = nullptr;
  int16_t len = 0;
  HGLOBAL block = nullptr;
  value = 0;
  bool ok = CallCrde("readtagstream", proc, std::string("TAG Read = ") + "Stream", [&](readtagstreamProc p) {
    return p(data, size, int16_t(page), tag, &len, &value, &block);
  });
  length = len;
  text = TakeText(len, block);
  return ok;
}

bool ReturnTags(const std::string& file, int page, void* sender, QmTagProc callback) {
  static returntagsProc proc = nullptr;
  if (!BindCrde("returntags", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  return CallCrde("returntags", proc, "TAG Read = " + file,
                  [&](returntagsProc p) { return p(name.text, int16_t(page), sender, callback); });
}

bool ReturnTagsStream(const void* data, int32_t size, int page, void* sender, QmTagProc callback) {
  static returntagsstreamProc proc = nullptr;
  return CallCrde("returntagsstream", proc, std::string("TAG Read = ") + "Stream",
                  [&](returntagsstreamProc p) { return p(data, size, int16_t(page), sender, callback); });
}
