// zebbcode.dll: barcodes read from a bilevel image with the ZBar library. The scan library hands
// over the region it prepared (1 = ink, BytesPerLine bytes a line) and takes the texts back in
// the region record.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <zbar.h>

using namespace zbar;  // its C interface, which zbar.h puts in a namespace for C++

#include "page_region.h"
#include "scan_page_info.h"

namespace {

constexpr int32_t kBadArgument = -8;
constexpr int kQuietZone = 24;  // paper around the region, as a printed code has

// The region as 8-bit gray for ZBar (0 ink, 255 paper) inside a margin of paper.
std::vector<uint8_t> GrayOf(const uint8_t* bits, const PageRegion& r, int* width, int* height) {
  *width = r.Width + 2 * kQuietZone;
  *height = r.Lines + 2 * kQuietZone;
  std::vector<uint8_t> gray(size_t(*width) * *height, 255);
  for (int y = 0; y < r.Lines; ++y) {
    const uint8_t* line = bits + size_t(y) * r.BytesPerLine;
    uint8_t* out = &gray[size_t(y + kQuietZone) * *width + kQuietZone];
    for (int x = 0; x < r.Width; ++x)
      if (line[x >> 3] & (0x80 >> (x & 7))) out[x] = 0;
  }
  return gray;
}

}  // namespace

extern "C" {

int32_t __stdcall LoadBarCode(HWND) { return 0; }

int32_t __stdcall FreeBarCode() { return 0; }

// Answers the number of codes read (0 for none), or -8 for a region it cannot read.
int32_t __stdcall DecodeData(const uint8_t* bits, const ScanPageInfo* info, BarcodeRecord* record) {
  if (!bits || !info || !record) return kBadArgument;
  const PageRegion& r = record->Region;
  if (r.Width <= 0 || r.Lines <= 0 || r.BytesPerLine < (r.Width + 7) / 8 || info->BitsPerPixel != 1)
    return kBadArgument;
  int width = 0, height = 0;
  std::vector<uint8_t> gray = GrayOf(bits, r, &width, &height);
  zbar_image_scanner_t* scanner = zbar_image_scanner_create();
  zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
  zbar_image_t* image = zbar_image_create();
  zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
  zbar_image_set_size(image, unsigned(width), unsigned(height));
  zbar_image_set_data(image, gray.data(), gray.size(), nullptr);
  const int found = zbar_scan_image(scanner, image);
  std::string texts;
  for (const zbar_symbol_t* s = zbar_image_first_symbol(image); s; s = zbar_symbol_next(s)) {
    texts += zbar_symbol_get_data(s);
    texts += '\n';
  }
  zbar_image_destroy(image);
  zbar_image_scanner_destroy(scanner);
  std::memset(record->Text, 0, sizeof record->Text);
  std::memcpy(record->Text, texts.data(), std::min(texts.size(), sizeof record->Text - 1));
  record->Found = found > 0 ? found : 0;
  return record->Found;
}

}  // extern "C"
