// ZebDBarCode through pavlot.dll loaded from case folders (so each case chooses the zebbcode.dll
// beside it): Code 128 and Code 39 symbols printed by zint, pasted into black-and-white, gray and
// colour pages, read back with their texts; regions it must clip or refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "page_region.h"
#include "scan_page_info.h"
#include "test_files.h"

namespace {

using DBarCodeProc = int32_t(__stdcall*)(const uint8_t*, ScanPageInfo*, BarcodeRecord*);

struct Symbol {
  int width = 0, height = 0;
  std::vector<uint8_t> gray;  // 0 ink, 255 paper
  bool Ink(int x, int y) const { return gray[size_t(y) * width + x] < 128; }
};

Symbol ReadPgm(const std::string& path) {
  Symbol s;
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  in >> magic >> s.width >> s.height >> maxValue;
  in.get();
  s.gray.resize(size_t(s.width) * s.height);
  in.read(reinterpret_cast<char*>(s.gray.data()), std::streamsize(s.gray.size()));
  if (magic != "P5" || !in) s = Symbol{};
  return s;
}

// A page with a symbol at (left, top) among lines of text-like ink, top line first.
struct Page {
  ScanPageInfo info{};
  uint32_t stride = 0;
  std::vector<uint8_t> bits;
};

bool TextInk(int x, int y) { return y % 60 > 20 && y % 60 < 40 && (x / 11) % 4 != 0 && x % 11 < 6; }

Page MakePage(int kind, int width, int height, const Symbol& symbol, int left, int top) {
  Page p;
  const int bpp = kind == 0 ? 1 : kind == 1 ? 8 : 24;
  p.stride = uint32_t((width * bpp + 31) / 32 * 4);
  p.bits.assign(size_t(p.stride) * height, 0);
  p.info.XResolution = p.info.YResolution = 300;
  p.info.ImageWidth = width;
  p.info.ImageLength = height;
  p.info.BitsPerPixel = bpp;
  p.info.SamplesPerPixel = kind == 2 ? 3 : 1;
  p.info.PixelType = int16_t(kind);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool inSymbol = x >= left && y >= top && x < left + symbol.width && y < top + symbol.height;
      const bool ink = inSymbol ? symbol.Ink(x - left, y - top)
                                : (y < top - 40 || y > top + symbol.height + 40) && TextInk(x, y);
      uint8_t* line = &p.bits[size_t(y) * p.stride];
      if (kind == 0) {
        if (!ink) line[x / 8] |= uint8_t(0x80 >> (x % 8));  // 1 = paper, as in a page DIB
      } else if (kind == 1) {
        line[x] = ink ? 30 : 235;
      } else {
        uint8_t* px = &line[3 * x];  // B, G, R: dark blue ink on cream paper
        px[0] = ink ? 90 : 200;
        px[1] = ink ? 20 : 240;
        px[2] = ink ? 10 : 250;
      }
    }
  return p;
}

class Barcode : public ::testing::Test {
 protected:
  void SetUp() override {
    program = FolderOfThisProgram();
    bin = FolderAboveThisProgram();
    code128 = ReadPgm(bin + "barcodes\\code128.pgm");
    code39 = ReadPgm(bin + "barcodes\\code39.pgm");
    ASSERT_GT(code128.width, 0);
    ASSERT_GT(code39.width, 0);
  }
  void TearDown() override { UseCase("", {}); }
  // pavlot.dll from a case folder with these libraries beside it (no case: unloaded).
  void UseCase(const std::string& name, const std::vector<std::string>& libraries) {
    if (pavlot) FreeLibrary(pavlot);
    pavlot = nullptr;
    SetDllDirectoryA(nullptr);
    if (!folder.empty()) DeleteFolder(folder);
    folder.clear();
    if (name.empty()) return;
    folder = program + name + "\\";
    DeleteFolder(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((bin + "pavlot.dll").c_str(), (folder + "pavlot.dll").c_str(), FALSE));
    for (const std::string& lib : libraries) {
      const std::string base = lib.substr(lib.find_last_of('\\') + 1);
      ASSERT_TRUE(CopyFileA((bin + lib).c_str(), (folder + base).c_str(), FALSE)) << lib;
    }
    SetDllDirectoryA(folder.c_str());
    pavlot = LoadLibraryA("pavlot.dll");
    ASSERT_TRUE(pavlot);
    ASSERT_TRUE(Bind(pavlot, "ZebDBarCode", &ZebDBarCode));
  }
  int32_t Decode(Page& page, PageRegion region, BarcodeRecord* out = nullptr) {
    BarcodeRecord record{};
    record.Region = region;
    record.Region.BytesPerLine = int32_t(page.stride);
    const ScanPageInfo before = page.info;
    const int32_t rc = ZebDBarCode(page.bits.data(), &page.info, &record);
    EXPECT_EQ(std::memcmp(&before, &page.info, sizeof before), 0) << "the caller's information changed";
    if (out) *out = record;
    return rc;
  }

  std::string program, bin, folder;
  HMODULE pavlot = nullptr;
  DBarCodeProc ZebDBarCode = nullptr;
  Symbol code128, code39;
};

TEST_F(Barcode, SymbolsReadFromEveryPixelType) {
  ASSERT_NO_FATAL_FAILURE(UseCase("with_zbar", {"zebbcode.dll"}));
  struct Case {
    const char* name;
    const Symbol* symbol;
    const char* text;
  };
  const Case symbols[] = {{"Code 128", &code128, "TARNWICK-0042\n"}, {"Code 39", &code39, "PAVLOT 39\n"}};
  for (int kind = 0; kind < 3; ++kind)
    for (const Case& c : symbols) {
      // Left 203: a region that starts inside a byte of a bilevel line.
      Page page = MakePage(kind, 1400, 900, *c.symbol, 240, 300);
      BarcodeRecord record{};
      const PageRegion region{203, 260, c.symbol->width + 80, c.symbol->height + 80, 0};
      EXPECT_EQ(Decode(page, region, &record), 1) << c.name << " kind " << kind;
      EXPECT_STREQ(record.Text, c.text) << c.name << " kind " << kind;
      EXPECT_EQ(record.Region.BytesPerLine, (region.Width + 31) / 32 * 4);
    }
}

TEST_F(Barcode, RegionsAreClippedOrRefusedAndLargeRegionsGrowTheBuffer) {
  ASSERT_NO_FATAL_FAILURE(UseCase("with_zbar", {"zebbcode.dll"}));
  // A colour region of 1200 x 1200: a gray stage of 1.44 MB, ten times the first buffer.
  Page big = MakePage(2, 1500, 1400, code128, 300, 600);
  BarcodeRecord record{};
  EXPECT_EQ(Decode(big, PageRegion{100, 100, 1200, 1200, 0}, &record), 1);
  EXPECT_STREQ(record.Text, "TARNWICK-0042\n");
  // Past the right and bottom edges: clipped to the image.
  EXPECT_EQ(Decode(big, PageRegion{250, 550, 5000, 5000, 0}, &record), 1);
  EXPECT_EQ(record.Region.Width, 1250);
  EXPECT_EQ(record.Region.Lines, 850);
  const PageRegion refused[] = {{1500, 0, 10, 10, 0}, {0, 1400, 10, 10, 0}, {-1, 0, 10, 10, 0},
                                {0, 0, 0, 10, 0},    {0, 0, 10, -5, 0}};
  for (const PageRegion& r : refused) EXPECT_EQ(Decode(big, r), -8) << r.Left << "," << r.Top;
  // A line length shorter than the image's lines: refused rather than read past them.
  BarcodeRecord shortLines{};
  shortLines.Region = PageRegion{0, 0, 100, 100, 100};
  EXPECT_EQ(ZebDBarCode(big.bits.data(), &big.info, &shortLines), -8);
  // An image so large that its region's buffer would not fit in 32 bits: -9, and the buffer
  // the library had still serves the next region.
  ScanPageInfo huge = big.info;
  huge.ImageWidth = huge.ImageLength = 0x7FFF0000;
  huge.BitsPerPixel = 1;
  huge.PixelType = 0;
  BarcodeRecord hugeRecord{};
  hugeRecord.Region = PageRegion{0, 0, 0x7FFF0000, 0x7FFF0000, 0x0FFFE000};
  EXPECT_EQ(ZebDBarCode(big.bits.data(), &huge, &hugeRecord), -9);
  EXPECT_EQ(Decode(big, PageRegion{100, 100, 1200, 1200, 0}, &record), 1);
  EXPECT_EQ(ZebDBarCode(nullptr, &big.info, &record), -8);
}

TEST_F(Barcode, WithoutACompleteBarcodeLibraryTheAnswerIsMinus7) {
  Page page = MakePage(0, 1000, 600, code39, 100, 100);
  const PageRegion region{50, 50, code39.width + 100, code39.height + 100, 0};
  ASSERT_NO_FATAL_FAILURE(UseCase("without_zbar", {}));
  EXPECT_EQ(Decode(page, region), -7);
  EXPECT_EQ(Decode(page, region), -7);
  // A library without DecodeData is not kept: every call answers -7 and touches no buffer.
  ASSERT_NO_FATAL_FAILURE(UseCase("incomplete_zbar", {"fixtures\\zebbcode_no_decode\\zebbcode.dll"}));
  EXPECT_EQ(Decode(page, region), -7);
  EXPECT_EQ(Decode(page, region), -7);
  EXPECT_EQ(GetModuleHandleA("zebbcode.dll"), nullptr);
}

}  // namespace
