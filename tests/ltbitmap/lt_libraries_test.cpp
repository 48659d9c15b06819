// The four imaging libraries through their import libraries, as the program links them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "dib_fixtures.h"
#include "ltdis12.h"
#include "ltfil12.h"
#include "ltimg12.h"
#include "ltkrn12.h"
#include "test_files.h"
#include "tiff_codec.h"

namespace {

std::string CaseFolder() {
  std::string folder = FolderOfThisProgram() + "lt_libraries_test\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A bitmap holding the DIB of spec, converted as a caller does: rows located by the header.
struct Bitmap {
  LtBitmapHandle b{};
  ~Bitmap() { L_FreeBitmap(&b); }
  int32_t From(const DibSpec& spec) {
    size_t offset = 0;
    dib = MakeDib(spec, &offset);
    int32_t r = L_InitBitmap(&b, 0, 0, spec.bits);
    if (r != kLtSuccess) return r;
    return L_ConvertFromDIB(&b, reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()),
                            dib.data() + offset);
  }
  std::vector<uint8_t> dib;
};

struct LayoutCase {
  const char* name;
  DibSpec spec;
  uint32_t colors;
};

class ConvertFromDib : public ::testing::TestWithParam<LayoutCase> {};

// Whatever the DIB's layout, the bitmap holds its real colour count and resolution, and after
// the change to top-row-first its first row is the page's top row.
TEST_P(ConvertFromDib, KeepsColoursResolutionAndRows) {
  const LayoutCase& c = GetParam();
  Bitmap bm;
  ASSERT_EQ(bm.From(c.spec), kLtSuccess);
  EXPECT_EQ(bm.b.Width, c.spec.width);
  EXPECT_EQ(bm.b.Height, c.spec.height < 0 ? -c.spec.height : c.spec.height);
  EXPECT_EQ(bm.b.BitsPerPixel, c.spec.bits);
  EXPECT_EQ(bm.b.ColorCount, c.colors);
  EXPECT_EQ(bm.b.XResolution, c.spec.dpi);
  EXPECT_EQ(bm.b.YResolution, c.spec.dpi);
  ASSERT_EQ(L_ChangeBitmapViewPerspective(nullptr, &bm.b, kLtTopLeft), kLtSuccess);
  EXPECT_EQ(bm.b.ViewPerspective, kLtTopLeft);
  size_t used = (size_t(c.spec.width) * c.spec.bits + 7) / 8;
  for (size_t i = 0; i < used; ++i) ASSERT_EQ(bm.b.Data[i], TopRowByte(c.spec.bits)) << i;
  EXPECT_EQ(bm.b.Data[bm.b.BytesPerLine], 0);
  if (c.colors > 1) {
    EXPECT_EQ(bm.b.Palette[c.colors - 1].Red, 255);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ConvertFromDib, ::testing::Values(
    LayoutCase{"BottomUpGray", {8, 4, 8, 40, 0, false, 300}, 256},
    LayoutCase{"ShortColourTable", {9, 3, 8, 40, 3, false, 200}, 3},
    LayoutCase{"TopDownBilevel", {33, -5, 1, 40, 0, false, 300}, 2},
    LayoutCase{"FourBitsFiveColours", {7, 2, 4, 40, 5, false, 150}, 5},
    LayoutCase{"LargerHeader", {5, 3, 24, 124, 0, false, 600}, 0},
    LayoutCase{"BitMasks16", {6, 2, 16, 40, 0, true, 300}, 0},
    LayoutCase{"BitMasks32InV4Header", {3, 2, 32, 108, 0, true, 96}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertFromDib, RefusesHeadersOfNoImage) {
  for (DibSpec bad : {DibSpec{8, 4, 7}, DibSpec{0, 4, 8}, DibSpec{8, 0, 8}, DibSpec{8, 4, 8, 12}}) {
    Bitmap bm;
    EXPECT_LT(bm.From(bad), 0) << bad.width << "x" << bad.height << " " << bad.bits;
    EXPECT_EQ(bm.b.Data, nullptr);
  }
  LtBitmapHandle never;
  std::memset(&never, 0xCD, sizeof never);
  DibSpec s;
  std::vector<uint8_t> dib = MakeDib(s);
  EXPECT_EQ(L_ConvertFromDIB(&never, reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()),
                             dib.data() + 40 + 1024), kLtNoBitmap);
  EXPECT_EQ(L_FreeBitmap(&never), kLtNoBitmap);
  EXPECT_EQ(L_InitBitmap(&never, 0, 0, 3), kLtBadArgument);
}

// Rows padded to four bytes: a 2490-pixel page has 312 bytes per line; resizing keeps the
// resolution the caller set and the depth.
TEST(SizeBitmap, ResamplesAndKeepsResolution) {
  Bitmap bm;
  ASSERT_EQ(bm.From(DibSpec{2490, 20, 1, 40, 0, false, 300}), kLtSuccess);
  EXPECT_EQ(bm.b.BytesPerLine, 312);
  bm.b.XResolution = bm.b.YResolution = 400;
  ASSERT_EQ(L_SizeBitmap(&bm.b, 2496, 40, 0), kLtSuccess);
  EXPECT_EQ(bm.b.Width, 2496);
  EXPECT_EQ(bm.b.Height, 40);
  EXPECT_EQ(bm.b.BitsPerPixel, 1);
  EXPECT_EQ(bm.b.XResolution, 400);
  EXPECT_EQ(L_SizeBitmap(&bm.b, 0, 10, 0), kLtBadArgument);
  LtBitmapHandle empty;
  L_InitBitmap(&empty, 0, 0, 1);
  EXPECT_EQ(L_SizeBitmap(&empty, 10, 10, 0), kLtNoBitmap);
}

TEST(InvertBitmap, FlipsBilevelPixelsNotThePalette) {
  Bitmap bm;
  ASSERT_EQ(bm.From(DibSpec{16, -2, 1}), kLtSuccess);
  ASSERT_EQ(L_InvertBitmap(&bm.b), kLtSuccess);
  EXPECT_EQ(bm.b.Data[0], uint8_t(~TopRowByte(1)));
  EXPECT_EQ(bm.b.Data[bm.b.BytesPerLine], 0xFF);
  EXPECT_EQ(bm.b.Palette[0].Red, 0);
  EXPECT_EQ(bm.b.Palette[1].Red, 255);
}

// Painting scales the whole bitmap into the rectangle with its top row at the top, for both
// ways of holding the rows.
TEST(PaintDC, StretchesTheBitmapIntoTheRectangle) {
  for (int32_t height : {4, -4}) {
    Bitmap bm;
    ASSERT_EQ(bm.From(DibSpec{8, height, 8}), kLtSuccess);  // top row 0x44 of a gray ramp
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 40, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all{0, 0, 40, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HPALETTE palette = L_CreatePaintPalette(dc, &bm.b);
    ASSERT_NE(palette, nullptr);
    HPALETTE oldPalette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    RECT dst{0, 0, 32, 20};
    EXPECT_EQ(L_PaintDC(dc, &bm.b, nullptr, nullptr, &dst, nullptr, SRCCOPY), kLtSuccess);
    COLORREF top = GetPixel(dc, 16, 1), below = GetPixel(dc, 16, 18), outside = GetPixel(dc, 35, 30);
    // Halftone stretching blends neighbouring rows: the top band is light, the bottom dark.
    EXPECT_GT(GetRValue(top), 0x30) << "height " << height;
    EXPECT_LT(GetRValue(below), 0x08) << "height " << height;
    EXPECT_EQ(outside, RGB(255, 255, 255));
    SelectPalette(dc, oldPalette, FALSE);
    DeleteObject(palette);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
  }
  LtBitmapHandle empty;
  L_InitBitmap(&empty, 0, 0, 8);
  EXPECT_EQ(L_CreatePaintPalette(nullptr, &empty), nullptr);
  EXPECT_EQ(L_PaintDC(GetDC(nullptr), &empty, nullptr, nullptr, nullptr, nullptr, SRCCOPY), kLtNoBitmap);
}

// A classic little-endian TIFF's last directory link: the only bytes an appended page changes.
size_t LastLinkOffset(const std::vector<uint8_t>& f) {
  auto le32 = [&](size_t at) { return uint32_t(f[at] | f[at + 1] << 8 | f[at + 2] << 16 | uint32_t(f[at + 3]) << 24); };
  size_t ifd = le32(4), link = 0;
  while (ifd) {
    link = ifd + 2 + 12 * size_t(f[ifd] | f[ifd + 1] << 8);
    ifd = le32(link);
  }
  return link;
}

class SaveFile : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = CaseFolder(); }
  std::string Path(const char* name) {
    std::string p = folder_ + name;
    DeleteFileA(p.c_str());
    return p;
  }
  std::string folder_;
};

// Pages are appended in place: the first pages' bytes stay as they were, but for the link to
// the new page.
TEST_F(SaveFile, AppendsAPageWithoutRewritingTheFile) {
  std::string path = Path("append.tif");
  Bitmap page;
  ASSERT_EQ(page.From(DibSpec{300, 200, 1}), kLtSuccess);
  ASSERT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileTiffG4, 1, 0, 6, nullptr, nullptr, nullptr), kLtSuccess);
  ASSERT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileTiffG4, 1, 0, 6, nullptr, nullptr, nullptr), kLtSuccess);
  std::vector<uint8_t> before = ReadBytes(path);
  ASSERT_EQ(imagecore::TiffPageCount(before.data(), before.size()), 2u);
  Bitmap gray;
  ASSERT_EQ(gray.From(DibSpec{120, 90, 8}), kLtSuccess);
  ASSERT_EQ(L_SaveFile(path.c_str(), &gray.b, kLtFileTiff, 0, 5, 6, nullptr, nullptr, nullptr), kLtSuccess);
  std::vector<uint8_t> after = ReadBytes(path);
  EXPECT_EQ(imagecore::TiffPageCount(after.data(), after.size()), 3u);
  ASSERT_GT(after.size(), before.size());
  size_t link = LastLinkOffset(before);
  for (size_t i = 0; i < before.size(); ++i)
    if (i < link || i >= link + 4) {
      ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
}

// A file that is not a sound TIFF does not receive a page, and is left as it was.
TEST_F(SaveFile, RefusesToAppendToAnythingButASoundTiff) {
  Bitmap page;
  ASSERT_EQ(page.From(DibSpec{64, 64, 1}), kLtSuccess);
  std::string good = Path("good.tif");
  ASSERT_EQ(L_SaveFile(good.c_str(), &page.b, kLtFileTiffG4, 1, 0, 6, nullptr, nullptr, nullptr), kLtSuccess);
  std::vector<uint8_t> tiff = ReadBytes(good);
  std::vector<uint8_t> cut(tiff.begin(), tiff.begin() + tiff.size() / 2);  // directory lost
  std::vector<uint8_t> badLink = tiff;
  badLink[4] = 0xF0; badLink[5] = 0xFF;  // first directory past the end
  std::vector<uint8_t> bmp = page.dib;
  bmp.insert(bmp.begin(), {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  for (const auto& bytes : {cut, badLink, bmp, std::vector<uint8_t>{'I', 'I', 42, 0}}) {
    std::string path = Path("not_sound.tif");
    WriteBytes(path, bytes);
    EXPECT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileTiffG4, 1, 0, 6, nullptr, nullptr, nullptr),
              kLtNotAppendable);
    EXPECT_EQ(ReadBytes(path), bytes);
  }
}

// A failed load leaves an empty bitmap, never the previous page, so saving it fails instead of
// adding the previous page again.
TEST_F(SaveFile, AFailedLoadSavesNothing) {
  std::string path = Path("export.tif");
  Bitmap page;
  ASSERT_EQ(page.From(DibSpec{64, 64, 1}), kLtSuccess);
  ASSERT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileTiffG4, 1, 0, 6, nullptr, nullptr, nullptr), kLtSuccess);
  std::vector<uint8_t> before = ReadBytes(path);
  LtBitmapHandle loaded;
  ASSERT_EQ(L_LoadBitmap(path.c_str(), &loaded, 0, 1, nullptr, nullptr), kLtSuccess);
  EXPECT_EQ(loaded.Width, 64);
  EXPECT_EQ(loaded.XResolution, 300);
  L_FreeBitmap(&loaded);
  std::string missing = folder_ + "no such page.tif";
  EXPECT_EQ(L_LoadBitmap(missing.c_str(), &loaded, 0, 1, nullptr, nullptr), kLtOpenFailed);
  EXPECT_EQ(loaded.Data, nullptr);
  EXPECT_EQ(L_SaveFile(path.c_str(), &loaded, kLtFileTiff, 0, 5, 6, nullptr, nullptr, nullptr), kLtNoBitmap);
  std::string junk = Path("junk.tif");
  WriteBytes(junk, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_EQ(L_LoadBitmap(junk.c_str(), &loaded, 0, 1, nullptr, nullptr), kLtUnknownFormat);
  EXPECT_EQ(loaded.Data, nullptr);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SaveFile, AnswersEveryFailure) {
  Bitmap page;
  ASSERT_EQ(page.From(DibSpec{64, 64, 8}), kLtSuccess);
  std::string path = Path("fail.tif");
  EXPECT_EQ(L_SaveFile(path.c_str(), &page.b, 7, 0, 0, 0, nullptr, nullptr, nullptr), kLtUnknownFormat);
  EXPECT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileTiff, 5, 0, 0, nullptr, nullptr, nullptr), kLtBadDepth);
  std::string nowhere = folder_ + "no folder\\page.tif";
  EXPECT_LT(L_SaveFile(nowhere.c_str(), &page.b, kLtFileTiff, 0, 0, 0, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  // A new file replaces an old one whole, through a temporary name that does not stay.
  WriteBytes(path, {'o', 'l', 'd'});
  ASSERT_EQ(L_SaveFile(path.c_str(), &page.b, kLtFileJpeg, 0, 25, 2, nullptr, nullptr, nullptr), kLtSuccess);
  std::vector<uint8_t> jpeg = ReadBytes(path);
  ASSERT_GT(jpeg.size(), 3u);
  EXPECT_EQ(jpeg[0], 0xFF);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder_ + "fail.tif.~*").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << found.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

}  // namespace
