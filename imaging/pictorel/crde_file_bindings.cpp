// File information, readers and writers.
#include "crde_bindings.h"
#include "crde_call.h"
#include "pictorel_tables.h"
#include "wide_path.h"

bool FileLongEnough(const std::string& file) {
  HANDLE h = CreateFileW(qm::WidePath(file).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw ErrorInvalid("Cannot open file " + file);
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(h, &size) && size.QuadPart >= 30;
  CloseHandle(h);
  return ok;
}

bool GetFileInfo(const std::string& file, QmFileInfo& info) {
  static fileinfoProc proc = nullptr;
  if (!BindCrde("fileinfo", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  char format[6] = {}, description[26] = {};
  uint16_t w = 0, h = 0;
  int16_t bits = 0, a = 0, b = 0;
  bool ok = CallCrde("fileinfo", proc, "", [&](fileinfoProc p) {
    return p(name.text, format, &w, &h, &bits, &a, &b, description, 0);
  });
  info.format = format;
  info.description = description;
  info.width = w;
  info.height = h;
  info.bits = bits;
  return ok;
}

template <typename Proc, typename Call>
static bool PageInfoCall(const char* entry, Proc& proc, QmPageInfo& info, Call call) {
  uint16_t w = 0, h = 0;
  int16_t compression = 0, discarded = 0, pages = 0, bits = 0;
  if (!BindCrde(entry, proc)) return false;
  int16_t result = 0;
  if (!GuardedDllCall([&] { result = call(proc, &w, &h, &compression, &discarded, &pages, &bits); })) return false;
  info.width = w;
  info.height = h;
  info.compression = compression;
  info.pages = pages;
  info.bits = bits;
  info.compressionName = CompressionName(compression);
  return result >= 0;  // 0 counts as success here and nothing is recorded
}

bool GetImageFileInfo(const std::string& file, int page, QmPageInfo& info) {
  static getinfoProc proc = nullptr;
  if (!BindCrde("getinfo", proc) || !FileLongEnough(file)) return false;
  DllFileName name(file);
  return PageInfoCall("getinfo", proc, info, [&](getinfoProc p, auto... out) {
    return p(name.text, int16_t(page), out...);
  });
}

bool GetInfoStream(const void* data, int32_t size, int page, QmPageInfo& info) {
  static getinfostreamProc proc = nullptr;
  return PageInfoCall("getinfostream", proc, info, [&](getinfostreamProc p, auto... out) {
    return p(data, size, int16_t(page), out...);
  });
}

namespace {

// The common shape of the BMP, PNG, PCX and GIF readers.
HGLOBAL ReadPlain(const char* entry, rdbmpfiledibProc& proc, const std::string& file, int bits, bool dither,
                  void* sender, QmProgressProc progress) {
  if (!BindCrde(entry, proc) || !FileLongEnough(file)) return nullptr;
  DllFileName name(file);
  HGLOBAL dib = nullptr;
  if (!CallCrde(entry, proc, "Reading " + file, [&](rdbmpfiledibProc p) {
        return p(name.text, int16_t(bits), int16_t(dither), &dib, nullptr, sender, progress, 0);
      }))
    return nullptr;
  return dib;
}

}  // namespace

HGLOBAL ReadBmpFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static rdbmpfiledibProc proc = nullptr;
  return ReadPlain("rdbmpfiledib", proc, file, bits, dither, sender, progress);
}

HGLOBAL ReadPngFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static rdbmpfiledibProc proc = nullptr;
  return ReadPlain("rdpngfiledib", proc, file, bits, dither, sender, progress);
}

HGLOBAL ReadPcxFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static rdbmpfiledibProc proc = nullptr;
  return ReadPlain("rdpcxfiledib", proc, file, bits, dither, sender, progress);
}

HGLOBAL ReadGifFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static rdbmpfiledibProc proc = nullptr;
  return ReadPlain("rdgiffiledib", proc, file, bits, dither, sender, progress);
}

// The library stays loaded after a failed read too: the save queue's thread may be inside it.
HGLOBAL ReadJpgFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static rdjpgfiledibProc proc = nullptr;
  if (!BindCrde("rdjpgfiledib", proc) || !FileLongEnough(file)) return nullptr;
  DllFileName name(file);
  HGLOBAL dib = nullptr;
  if (!CallCrde("rdjpgfiledib", proc, "Reading " + file, [&](rdjpgfiledibProc p) {
        return p(name.text, int16_t(bits), 1, int16_t(dither), &dib, nullptr, sender, progress, 0);
      }))
    return nullptr;
  return dib;
}

HGLOBAL ReadPcdFile(const std::string& file, int bits, bool dither, int step, void* sender,
                    QmProgressProc progress) {
  static readpcdfiledibProc proc = nullptr;
  if (!BindCrde("readpcdfiledib", proc) || !FileLongEnough(file)) return nullptr;
  DllFileName name(file);
  HGLOBAL dib = nullptr;
  if (!CallCrde("readpcdfiledib", proc, "Reading " + file, [&](readpcdfiledibProc p) {
        return p(name.text, int16_t(bits), int16_t(dither), int16_t(step), &dib, sender, progress, 0);
      }))
    return nullptr;
  return dib;
}

HGLOBAL ReadTgaFile(const std::string& file, int bits, bool dither, void* sender, QmProgressProc progress) {
  static readtgafiledibProc proc = nullptr;
  if (!BindCrde("readtgafiledib", proc) || !FileLongEnough(file)) return nullptr;
  DllFileName name(file);
  HGLOBAL dib = nullptr;
  if (!CallCrde("readtgafiledib", proc, "Reading " + file, [&](readtgafiledibProc p) {
        return p(name.text, int16_t(bits), int16_t(dither), &dib, sender, progress, 0);
      }))
    return nullptr;
  return dib;
}

HGLOBAL ReadTiffFile(const std::string& file, int bits, bool dither, int page, void* sender,
                     QmProgressProc progress) {
  static readtiffiledibProc proc = nullptr;
  if (!BindCrde("readtiffiledib", proc) || !FileLongEnough(file)) return nullptr;
  DllFileName name(file);
  HGLOBAL dib = nullptr;
  if (!CallCrde("readtiffiledib", proc, "Reading " + file, [&](readtiffiledibProc p) {
        return p(name.text, int16_t(bits), int16_t(dither), int16_t(page), &dib, sender, progress, 0);
      }))
    return nullptr;
  return dib;
}

HGLOBAL ReadTiffStream(const void* data, int32_t size, int bits, bool dither, int page, void* sender,
                       QmProgressProc progress) {
  static readtiffiledibstreamProc proc = nullptr;
  HGLOBAL dib = nullptr;
  if (!CallCrde("readtiffiledibstream", proc, std::string("Reading ") + "Tiff Stream",
                [&](readtiffiledibstreamProc p) {
                  return p(data, size, int16_t(bits), int16_t(dither), int16_t(page), &dib, sender, progress, 0);
                }))
    return nullptr;
  return dib;
}

namespace {

bool WritePlain(const char* entry, wrbmpfiledibProc& proc, const std::string& file, int bits, HGLOBAL dib,
                void* sender, QmProgressProc progress) {
  DllFileName name(file);
  return CallCrde(entry, proc, "Writing " + file, [&](wrbmpfiledibProc p) {
    return p(name.text, int16_t(bits), dib, sender, progress, 0);
  });
}

}  // namespace

bool WriteBmpFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress) {
  static wrbmpfiledibProc proc = nullptr;
  return WritePlain("wrbmpfiledib", proc, file, bits, dib, sender, progress);
}

bool WritePcxFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress) {
  static wrbmpfiledibProc proc = nullptr;
  return WritePlain("wrpcxfiledib", proc, file, bits, dib, sender, progress);
}

bool WriteGifFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress) {
  static wrbmpfiledibProc proc = nullptr;
  return WritePlain("wrgiffiledib", proc, file, bits, dib, sender, progress);
}

bool WriteTgaFile(const std::string& file, int bits, HGLOBAL dib, void* sender, QmProgressProc progress) {
  static writetgafiledibProc proc = nullptr;
  DllFileName name(file);
  return CallCrde("writetgafiledib", proc, "Writing " + file, [&](writetgafiledibProc p) {
    return p(name.text, int16_t(bits), 0, 0, dib, sender, progress, 0);
  });
}

bool WritePngFile(const std::string& file, int bits, int interlace, HGLOBAL dib, void* sender,
                  QmProgressProc progress) {
  static wrpngfiledibProc proc = nullptr;
  DllFileName name(file);
  return CallCrde("wrpngfiledib", proc, "Writing " + file, [&](wrpngfiledibProc p) {
    return p(name.text, int16_t(bits), int16_t(interlace), dib, sender, progress, 0);
  });
}

bool WriteJpgFile(const std::string& file, int32_t quality, int32_t smoothing, int bits, HGLOBAL dib,
                  void* sender, QmProgressProc progress) {
  static wrjpgfiledibProc proc = nullptr;
  DllFileName name(file);
  return CallCrde("wrjpgfiledib", proc, "Writing " + file, [&](wrjpgfiledibProc p) {
    return p(name.text, quality, smoothing, int16_t(bits), dib, sender, progress, 0);
  });
}
