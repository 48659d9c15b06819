// pdf.dll's reading of a bitmap by colour code: the caller's inversion undone whatever the
// palette's order, gray through the palette, and bitmaps that do not match refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "page_image.h"
#include "pdf_dll.h"
#include "pdf_image_encode.h"

namespace {

struct Record {
  LtBitmapHandle b;
  std::vector<uint8_t> data;
  Record(int w, int h, int bits) {
    std::memset(&b, 0, sizeof b);
    b.StructSize = sizeof b;
    b.Width = w;
    b.Height = h;
    b.BitsPerPixel = bits;
    b.BytesPerLine = ((w * bits + 31) / 32) * 4;
    data.assign(size_t(b.BytesPerLine) * h, 0);
    b.Data = data.data();
    b.DataSize = uint32_t(data.size());
  }
};

// A 1-bit page, index 0 black: the caller inverts it, so set bits stand for the black ink.
TEST(PageImageOf, UndoesTheInversionForEitherPaletteOrder) {
  for (bool blackFirst : {true, false}) {
    Record r(16, 2, 1);
    r.b.ColorCount = 2;
    r.b.Palette[blackFirst ? 1 : 0] = LtRgbQuad{255, 255, 255, 0};
    // Scanned: the first 8 pixels of row 0 ink, the rest paper. Inverted by the caller.
    uint8_t ink = blackFirst ? 0x00 : 0xFF, paper = uint8_t(~ink);
    r.data[0] = uint8_t(~ink); r.data[1] = uint8_t(~paper);
    r.data[4] = uint8_t(~paper); r.data[5] = uint8_t(~paper);
    std::vector<uint8_t> gray;
    PdfPageImage image;
    ASSERT_EQ(pdfdll::PageImageOf(r.b, 0, 16, 2, 300, 300, gray, image), kPdfOk);
    std::vector<uint8_t> rows = PdfRows(image);  // set bit = black
    EXPECT_EQ(rows[0], 0xFF) << blackFirst;
    EXPECT_EQ(rows[1], 0x00) << blackFirst;
    EXPECT_EQ(rows[2], 0x00) << blackFirst;
    EXPECT_EQ(image.xDpi, 300);
  }
}

TEST(PageImageOf, MapsFourBitAndPalettePagesToGray) {
  Record r(3, 1, 4);
  r.b.ColorCount = 16;
  for (int i = 0; i < 16; ++i) r.b.Palette[i] = LtRgbQuad{0, 0, uint8_t(255 - i * 17), 0};  // reds
  r.data[0] = 0x0F;
  r.data[1] = 0x80;
  std::vector<uint8_t> gray;
  PdfPageImage image;
  ASSERT_EQ(pdfdll::PageImageOf(r.b, 1, 3, 1, 0, 0, gray, image), kPdfOk);
  ASSERT_EQ(image.bitsPerPixel, 8);
  ASSERT_EQ(image.pixels, gray.data());
  EXPECT_EQ(gray[0], 76);            // red 255 at luma 0.299
  EXPECT_EQ(gray[1], 0);             // entry 15: red 0
  EXPECT_EQ(gray[2], (119 * 299 + 500) / 1000);  // entry 8: red 119
  EXPECT_EQ(image.xDpi, 0);
}

TEST(PageImageOf, RefusesWhatDoesNotMatchTheCode) {
  Record bw(8, 8, 1), gray(8, 8, 8), colour(8, 8, 24);
  std::vector<uint8_t> buf;
  PdfPageImage image;
  EXPECT_EQ(pdfdll::PageImageOf(bw.b, 1, 8, 8, 300, 300, buf, image), kPdfBadBitmap);
  EXPECT_EQ(pdfdll::PageImageOf(gray.b, 2, 8, 8, 300, 300, buf, image), kPdfBadBitmap);
  EXPECT_EQ(pdfdll::PageImageOf(colour.b, 0, 8, 8, 300, 300, buf, image), kPdfBadBitmap);
  EXPECT_EQ(pdfdll::PageImageOf(colour.b, 3, 8, 8, 300, 300, buf, image), kPdfBadArgument);
  EXPECT_EQ(pdfdll::PageImageOf(colour.b, 2, 9, 8, 300, 300, buf, image), kPdfBadBitmap);
  Record lying(8, 8, 24);
  lying.b.DataSize -= 1;
  EXPECT_EQ(pdfdll::PageImageOf(lying.b, 2, 8, 8, 300, 300, buf, image), kPdfBadBitmap);
  lying.b.DataSize += 1;
  lying.b.Data = nullptr;
  EXPECT_EQ(pdfdll::PageImageOf(lying.b, 2, 8, 8, 300, 300, buf, image), kPdfBadBitmap);
  EXPECT_EQ(pdfdll::PageImageOf(colour.b, 2, 8, 8, 300, 300, buf, image), kPdfOk);
  EXPECT_EQ(image.pixels, colour.data.data());
}

}  // namespace
