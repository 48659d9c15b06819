// The T.6 coder against libtiff's Group 4 coder: both see the same rows from an all-white
// reference row, so the codes must agree bit for bit; then the byte count of a closed page.
#include <gtest/gtest.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "fax_coder.h"

namespace {

using Rows = std::vector<uint8_t>;  // rows of bytesPerRow, 1 = black

Rows MakeRows(uint32_t bytesPerRow, uint32_t rows, std::function<bool(uint32_t, uint32_t)> black) {
  Rows r(size_t(bytesPerRow) * rows, 0);
  for (uint32_t y = 0; y < rows; ++y)
    for (uint32_t x = 0; x < bytesPerRow * 8; ++x)
      if (black(x, y)) r[y * bytesPerRow + x / 8] |= uint8_t(0x80 >> (x % 8));
  return r;
}

std::vector<uint8_t> LibtiffGroup4(const Rows& rows, uint32_t bytesPerRow, uint32_t count) {
  char name[] = "/tmp/faxoracleXXXXXX";
  const int fd = mkstemp(name);
  close(fd);
  TIFF* t = TIFFOpen(name, "w");
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, bytesPerRow * 8);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, count);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, count);
  TIFFSetField(t, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
  for (uint32_t y = 0; y < count; ++y)
    TIFFWriteScanline(t, const_cast<uint8_t*>(&rows[y * bytesPerRow]), y, 0);
  TIFFClose(t);
  t = TIFFOpen(name, "r");
  std::vector<uint8_t> raw(size_t(TIFFRawStripSize(t, 0)));
  TIFFReadRawStrip(t, 0, raw.data(), tmsize_t(raw.size()));
  TIFFClose(t);
  unlink(name);
  return raw;
}

struct Page {
  const char* name;
  uint32_t bytesPerRow;
  uint32_t rows;
  std::function<bool(uint32_t, uint32_t)> black;
};

uint32_t Hash(uint32_t x, uint32_t y) { return (x * 73856093u) ^ (y * 19349663u) ^ (x * y * 83492791u); }

const Page kPages[] = {
    {"white", 320, 50, [](uint32_t, uint32_t) { return false; }},
    {"black", 320, 20, [](uint32_t, uint32_t) { return true; }},
    {"noise", 40, 60, [](uint32_t x, uint32_t y) { return Hash(x, y) % 3 == 0; }},
    {"fine_noise", 13, 40, [](uint32_t x, uint32_t y) { return Hash(x, y) % 2 == 0; }},
    {"stripes", 64, 30, [](uint32_t x, uint32_t) { return (x / 3) % 2 == 0; }},
    {"diagonal", 48, 90, [](uint32_t x, uint32_t y) { return (x + y) % 37 < 5; }},
    // Runs past 2623 and 1728 pixels: the extended make-up codes of both colours.
    {"long_runs", 700, 12, [](uint32_t x, uint32_t y) { return y % 3 == 1 ? x < 5000 : x > 3000; }},
    {"text", 320, 120, [](uint32_t x, uint32_t y) {
       return y % 30 > 8 && y % 30 < 22 && (x / 7 + y / 30) % 5 != 0 && x % 9 < 4 + (y % 3);
     }},
    {"edges", 1, 16, [](uint32_t x, uint32_t y) { return x == 0 || x == 7 || (y % 2 && x == 3); }},
};

class FaxCoderOracle : public ::testing::TestWithParam<Page> {};

TEST_P(FaxCoderOracle, CodesAsLibtiffGroup4) {
  const Page& page = GetParam();
  const Rows rows = MakeRows(page.bytesPerRow, page.rows, page.black);
  pixels::FaxCodingParams params;
  params.bytesPerRow = page.bytesPerRow;
  params.rowBits = page.bytesPerRow * 8;
  params.rows = page.rows;
  std::vector<uint8_t> code;
  pixels::FaxBitWriter writer(&code);
  pixels::FaxPageCoder coder(params, writer, 0x00);  // T.6's own all-white reference
  pixels::EncodeFaxPage(coder, rows.data(), page.bytesPerRow, page.rows);
  const uint64_t total = coder.Close();
  const std::vector<uint8_t> oracle = LibtiffGroup4(rows, page.bytesPerRow, page.rows);
  EXPECT_EQ(code, oracle);
  // The closed page counts every coded byte, made even.
  EXPECT_EQ(total % 2, 0u);
  EXPECT_TRUE(total == oracle.size() || total == oracle.size() + 1) << total;
}

INSTANTIATE_TEST_SUITE_P(Pages, FaxCoderOracle, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FaxCoder, CountsWithoutKeepingCodeAndStartsFromAnAllOnesReference) {
  // A white page against the all-ones first reference: row 1 is one horizontal code, every
  // other row one V0 bit; the page closes with the 24-bit EOFB.
  const uint32_t bpr = 320, rows = 3300;
  const Rows white(size_t(bpr) * rows, 0);
  pixels::FaxCodingParams params;
  params.bytesPerRow = bpr;
  params.rowBits = bpr * 8;
  params.rows = rows;
  pixels::FaxBitWriter writer;
  pixels::FaxPageCoder coder(params, writer);
  pixels::EncodeFaxPage(coder, white.data(), bpr, rows);
  // 001 + white 2560 (000000011111 + 00110101) + black 0 (0000110111) = 33 bits; 3299 V0 bits.
  const uint64_t bits = 33 + 3299 + 24;
  const uint64_t bytes = (bits + 7) / 8;
  EXPECT_EQ(coder.Close(), bytes + bytes % 2);
}

TEST(FaxCoder, OneDimensionalCodingFramesRowsWithEndOfLineCodes) {
  // One white row of 8 pixels: 4 fill bits and EOL, white 8 (10011), fill to put the EOL on a
  // byte boundary, EOL, then RTC.
  const uint8_t row[1] = {0};
  pixels::FaxCodingParams params;
  params.bytesPerRow = 1;
  params.rowBits = 8;
  params.rows = 1;
  params.coding = pixels::FaxCoding::kOneDimensional;
  std::vector<uint8_t> code;
  pixels::FaxBitWriter writer(&code);
  pixels::FaxPageCoder coder(params, writer);
  coder.EncodeRow(row);
  const uint64_t total = coder.Close();
  ASSERT_GE(code.size(), 5u);
  EXPECT_EQ(code[0], 0x00);
  EXPECT_EQ(code[1], 0x01);  // 0000 0000 | 0000 0001: the first EOL ends the second byte
  EXPECT_EQ(code[2], 0x98);  // 10011 then fill
  EXPECT_EQ(total % 2, 0u);
  // 16 + 5 + fill 7 + 12 = 40 bits, then six EOLs (72 bits): 14 bytes.
  EXPECT_EQ(code.size(), 14u);
  EXPECT_EQ(total, 14u);
}

}  // namespace
