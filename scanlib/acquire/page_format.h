// The page as the driver announced it, and where its rows go in a page DIB: the plain description
// the page assembly works from, free of any platform header.
#pragma once
#include <cstddef>
#include <cstdint>

struct PageFormat {
  int32_t XResolution = 0;  // dots per inch
  int32_t YResolution = 0;
  int32_t ImageWidth = 0;   // pixels per row
  int32_t ImageLength = 0;  // rows of the page
  int32_t BitsPerPixel = 0;
  int16_t SamplesPerPixel = 0;
  int16_t PixelType = 0;    // 0 black-and-white, 1 gray, 2 RGB
};

constexpr int16_t kPixelBlackWhite = 0;
constexpr int16_t kPixelGray = 1;
constexpr int16_t kPixelRgb = 2;

// Sizes of one page DIB; all byte counts fit 32 bits or the layout is refused.
struct PageDibLayout {
  uint32_t RowLength = 0;    // bytes of one received row: (width x bits + 7) / 8
  uint32_t RowStride = 0;    // bytes of one DIB row, padded to 4
  uint32_t ImageSize = 0;    // RowStride x ImageLength
  uint32_t ColourCount = 0;  // colour table entries actually written
  uint32_t HeaderSize = 0;   // 40 + 4 x ColourCount
  uint32_t BlockSize = 0;    // HeaderSize + ImageSize
};

// Why a page cannot become a page DIB.
enum class PageDibRefusal {
  None,
  BadDimensions,   // width, length or resolution not positive
  UnsupportedKind, // pixel type and depth that no DIB row format carries
  TooLarge,        // the block would not fit 32 bits
};

// Computes the layout, or says why the page is refused. Depths accepted: black-and-white 1, 4
// and 8 bits, gray 8 and 16, RGB 8, 24 and 48 - the ones whose rows the copy can store.
PageDibRefusal PageDibLayoutFor(const PageFormat& format, PageDibLayout* layout);

// Colour table entries written for this format (0 above 8 bits: a table there is never read).
uint32_t PageDibColourCount(const PageFormat& format);

// Pixels per metre from dots per inch, rounded to nearest.
int32_t PixelsPerMetre(int32_t dotsPerInch);
