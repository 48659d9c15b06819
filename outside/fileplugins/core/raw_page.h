// A page as the scanner delivers it: rows top first, packed without padding, 1-bit with a clear
// bit for black, gray 8 or 16 bits (16-bit samples in the machine's byte order), RGB samples in
// R,G,B order. Every writer takes this; pages from DIBs and files are brought to it first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "image.h"
#include "plugin_status.h"

namespace fileplugins {

enum class PageKind { kBlackWhite, kGray8, kGray16, kRgb24, kRgb48 };

// The kind of a page by the scan library's pixel type (0 black-and-white, 1 gray, 2 RGB) and
// depth; none for combinations no scanner page has (palette RGB at 8 bits among them).
std::optional<PageKind> PageKindOf(int32_t pixelType, int32_t bitsPerPixel);
uint16_t BitsOf(PageKind kind);
int16_t PixelTypeOf(PageKind kind);
int16_t SamplesOf(PageKind kind);

// Largest page accepted: keeps a whole page in memory even in a 32-bit process.
constexpr uint64_t kMaxPageBytes = uint64_t(512) << 20;

struct RawPage {
  uint32_t width = 0;
  uint32_t height = 0;
  PageKind kind = PageKind::kBlackWhite;
  uint32_t xDpi = 0;
  uint32_t yDpi = 0;
  std::vector<uint8_t> rows;

  size_t RowBytes() const;
  uint8_t* Row(uint32_t y) { return rows.data() + y * RowBytes(); }
  const uint8_t* Row(uint32_t y) const { return rows.data() + y * RowBytes(); }
};

size_t RowBytesOf(uint32_t width, PageKind kind);

// A resolution in dots per inch as pixels per metre, as the codecs' images carry it.
uint32_t PelsPerMeterOf(uint32_t dpi);

// Sets the page's size and kind and leaves it without rows, for a page never held whole;
// refuses what AllocateWhitePage refuses for its size.
PluginStatus ShapePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind);

// Sizes the page and fills it white. kPluginPageUnsupported for sizes out of range,
// kPluginNoMemory when the rows cannot be had.
PluginStatus AllocateWhitePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind);

// Sizes the page as AllocateWhitePage does, but for rows the caller writes every byte of before
// the page is read: the bytes page.rows held stay as they were (its memory is used again).
PluginStatus SizePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind);

// A DIB-like image (any depth, palette or not) as a page: two-colour black and white stays
// 1-bit, gray images become 8-bit gray, everything else 24-bit RGB.
PluginStatus PageFromImage(const imagecore::Image& image, RawPage& page);

// The image a codec writes: 1-bit with entry 0 black, 8-bit with a gray ramp, or 24-bit. 16-bit
// gray and 48-bit pages have no such image (kPluginPageUnsupported).
PluginStatus ImageFromPage(const RawPage& page, imagecore::Image& image);

// 1-bit images made with entry 0 white (as a min-is-white TIFF reads) turned to entry 0 black,
// as the scan library's page DIBs are; other images are left as they are.
void PutBlackFirst(imagecore::Image& image);

}  // namespace fileplugins
