#include "tiff_append.h"

#include <windows.h>
#include <tiffio.h>

#include <cstdarg>

#include "lt_bitmap.h"
#include "path_text.h"
#include "tiff_write.h"

namespace ltfil {

namespace {

struct Errors {
  bool any = false;
};

int NoteError(TIFF*, void* user, const char*, const char*, va_list) {
  static_cast<Errors*>(user)->any = true;
  return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

TIFF* Open(const char* path, const char* mode, Errors& errors) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(options, NoteError, &errors);
  TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, nullptr);
  TIFF* tif = TIFFOpenWExt(dibglue::WideOfUtf8(path).c_str(), mode, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

uint64_t FileSize(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(dibglue::WideOfUtf8(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool StripsInside(TIFF* tif, uint64_t size) {
  uint32_t width = 0, height = 0;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height) ||
      width == 0 || height == 0)
    return false;
  uint64_t* offsets = nullptr;
  uint64_t* counts = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_STRIPOFFSETS, &offsets) ||
      !TIFFGetField(tif, TIFFTAG_STRIPBYTECOUNTS, &counts) || !offsets || !counts)
    return false;
  uint32_t strips = TIFFNumberOfStrips(tif);
  for (uint32_t i = 0; i < strips; ++i)
    if (offsets[i] > size || counts[i] > size - offsets[i]) return false;
  return true;
}

}  // namespace

bool IsSoundTiff(const char* path) {
  uint64_t size = FileSize(path);
  if (size < 8) return false;
  Errors errors;
  TIFF* tif = Open(path, "r", errors);
  if (!tif) return false;
  bool sound = !errors.any;
  while (sound) {
    sound = StripsInside(tif, size) && !errors.any;
    if (!sound || !TIFFReadDirectory(tif)) break;
  }
  sound = sound && !errors.any;
  TIFFClose(tif);
  return sound;
}

int32_t AppendTiffPage(const char* path, const imagecore::Image& image, uint16_t compression) {
  if (!IsSoundTiff(path)) return kLtNotAppendable;
  Errors errors;
  TIFF* tif = Open(path, "a", errors);
  if (!tif) return kLtWriteFailed;
  imagecore::Status s = imagecore::WriteTiffDirectory(tif, image, compression);
  TIFFClose(tif);
  return s == imagecore::kOk && !errors.any ? kLtSuccess : kLtWriteFailed;
}

}  // namespace ltfil
