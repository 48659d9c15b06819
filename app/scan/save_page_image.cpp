#include "save_page_image.h"

#include <stdexcept>

#include "ltfil12.h"
#include "page_bitmap.h"

namespace tarnwick {

namespace {

// Adds a page to an existing TIFF file (the multipage document); a page file is new anyway.
constexpr uint32_t kTiffFlags = 6;
constexpr uint32_t kJpegFlags = 2;

std::runtime_error WriteError(const std::string& fileName, int32_t code) {
  return std::runtime_error("Could not write " + fileName + " (error " + std::to_string(code) + ")");
}

}  // namespace

void SavePageImage(const std::string& selector, int formatCode, const std::string& fileName,
                   LtBitmapHandle& bitmap, int jpegQuality) {
  int32_t rc;
  if (selector == "img_jpg") {
    const int32_t bits = bitmap.BitsPerPixel == 1 ? 8 : bitmap.BitsPerPixel;
    rc = L_SaveFile(fileName.c_str(), &bitmap, kLtFileJpeg, bits, jpegQuality, kJpegFlags, nullptr,
                    nullptr, nullptr);
  } else {
    const int32_t format = bitmap.BitsPerPixel == 1 ? formatCode : kLtFileTiff;
    rc = L_SaveFile(fileName.c_str(), &bitmap, format, bitmap.BitsPerPixel, 0, kTiffFlags, nullptr,
                    nullptr, nullptr);
  }
  if (rc != kLtSuccess) throw WriteError(fileName, rc);
}

void WritePageImageFile(HGLOBAL page, const PageTarget& target, bool jpeg, int dpi,
                        int jpegQuality) {
  BitmapHolder holder;
  LtBitmapHandle& bitmap = holder.Bitmap();
  const int32_t rc = PageDibToBitmap(page, bitmap);
  if (rc != kLtSuccess) throw WriteError(target.FileName, rc);
  bitmap.XResolution = dpi;
  bitmap.YResolution = dpi;
  SavePageImage(jpeg ? "img_jpg" : "img_tif", target.FormatCode, target.FileName, bitmap,
                jpegQuality);
}

}  // namespace tarnwick
