// Page files written at once through the bitmap libraries, read back by them: black-and-white
// TIFF pages in the chosen coding, deeper pages uncompressed, JPEG of black-and-white as gray,
// every file at the scan's resolution with the page's pixels.
#include "save_page_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "ltfil12.h"
#include "ltkrn12.h"
#include "page_file_undo.h"

using namespace tarnwick;

namespace {

// A page with a pattern: 1 bit (stripes), 8 bits (a ramp) or 24 bits.
HGLOBAL MakePatternPage(int bits, int width, int height) {
  const int palette = bits <= 8 ? (1 << bits) : 0;
  const int stride = ((width * bits + 31) / 32) * 4;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                          sizeof(BITMAPINFOHEADER) + palette * 4 + stride * height);
  auto* block = static_cast<uint8_t*>(GlobalLock(h));
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(block);
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = width;
  bih->biHeight = height;
  bih->biPlanes = 1;
  bih->biBitCount = static_cast<WORD>(bits);
  auto* pal = reinterpret_cast<RGBQUAD*>(block + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < palette; ++i) {
    const BYTE v = static_cast<BYTE>(palette == 2 ? i * 255 : i);
    pal[i] = {v, v, v, 0};
  }
  uint8_t* rows = block + sizeof(BITMAPINFOHEADER) + palette * 4;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < stride; ++x) rows[y * stride + x] = static_cast<uint8_t>(bits == 1 ? (y % 3 ? 0xF0 : 0x0F) : x + y);
  GlobalUnlock(h);
  return h;
}

std::string TempFile(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "tarnwick_save_page_" + name;
  DeleteFileA(path.c_str());
  return path;
}

struct Loaded {
  LtBitmapHandle bitmap{};
  explicit Loaded(const std::string& file) {
    EXPECT_EQ(L_LoadBitmap(file.c_str(), &bitmap, 0, 0, nullptr, nullptr), kLtSuccess) << file;
  }
  ~Loaded() { L_FreeBitmap(&bitmap); }
};

// The gray level of pixel (x, y), y counted from the top, of a palette bitmap.
int GrayAt(const LtBitmapHandle& b, int x, int y) {
  const int row = b.ViewPerspective == kLtBottomLeft ? b.Height - 1 - y : y;
  const uint8_t* line = b.Data + row * b.BytesPerLine;
  const int index = b.BitsPerPixel == 1 ? (line[x / 8] >> (7 - x % 8)) & 1 : line[x];
  return b.Palette[index].Green;
}

// The same of the page DIB (bottom-up, gray palette).
int PageGrayAt(HGLOBAL page, int x, int y) {
  const auto* block = static_cast<const uint8_t*>(GlobalLock(page));
  const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(block);
  const int bits = bih->biBitCount;
  const int stride = ((bih->biWidth * bits + 31) / 32) * 4;
  const auto* pal = reinterpret_cast<const RGBQUAD*>(block + sizeof(BITMAPINFOHEADER));
  const uint8_t* line = block + sizeof(BITMAPINFOHEADER) + (1 << bits) * 4 +
                        (bih->biHeight - 1 - y) * stride;
  const int index = bits == 1 ? (line[x / 8] >> (7 - x % 8)) & 1 : line[x];
  const int gray = pal[index].rgbGreen;
  GlobalUnlock(page);
  return gray;
}

}  // namespace

TEST(SavePageImage, TiffAndJpegPagesKeepDepthPixelsAndResolution) {
  struct Case { int bits; int format; bool jpeg; int loadedBits; const char* name; };
  const Case cases[] = {{1, 29, false, 1, "g4.tif"},  {1, 27, false, 1, "g3.tif"},
                        {8, 29, false, 8, "gray.tif"}, {24, 29, false, 24, "colour.tif"},
                        {1, 10, true, 8, "bw.jpg"},    {8, 10, true, 8, "gray.jpg"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HGLOBAL page = MakePatternPage(c.bits, 64, 40);
    const std::string file = TempFile(c.name);
    WritePageImageFile(page, {file, c.jpeg ? 0 : 3, c.format}, c.jpeg, 300, 90);
    EXPECT_GT(GlobalSize(page), 0u);  // the caller's block stays
    Loaded back(file);
    if (!c.jpeg && c.bits <= 8) {
      int differ = 0;
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) differ += GrayAt(back.bitmap, x, y) != PageGrayAt(page, x, y);
      EXPECT_EQ(differ, 0);
    }
    GlobalFree(page);
    EXPECT_EQ(back.bitmap.Width, 64);
    EXPECT_EQ(back.bitmap.Height, 40);
    EXPECT_EQ(back.bitmap.BitsPerPixel, c.loadedBits);
    EXPECT_EQ(back.bitmap.XResolution, 300);
    EXPECT_EQ(back.bitmap.YResolution, 300);
    DeleteFileA(file.c_str());
  }
}

TEST(SavePageImage, AWriteThatFailsRaisesWithTheFileName) {
  HGLOBAL page = MakePatternPage(1, 16, 8);
  const std::string file = "Z:\\no such folder\\x\\000001.tif";
  try {
    WritePageImageFile(page, {file, 3, 29}, false, 200, 0);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
  }
  GlobalFree(page);
}

namespace {

uint64_t SizeOfFile(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data);
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void CutFileAt(const std::string& file, uint64_t size) {
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(size);
  SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
}

}  // namespace

// A page added to a multipage TIFF that stops half-way (the disk full) leaves the previous
// directory linked past the end, and the bitmap library refuses to add to such a file. Taken
// back, the file holds its earlier pages whole and takes the next page again; a page file that
// did not exist before the write is removed.
TEST(SavePageImage, AFailedPageWriteIsTakenBackLeavingTheEarlierPagesSound) {
  const std::string doc = TempFile("undo.tif");
  const PageTarget target{doc, 3, 29};
  auto write = [&] {
    HGLOBAL page = MakePatternPage(1, 64, 40);
    WritePageImageFile(page, target, false, 200, 0);
    GlobalFree(page);
  };
  write();
  write();
  const uint64_t twoPages = SizeOfFile(doc);
  for (int stopsAfter : {1, 3, 2}) {  // a third of the page's bytes, all but its last link, ...
    SCOPED_TRACE(stopsAfter);
    PageFileUndo undo(doc);
    write();
    const uint64_t threePages = SizeOfFile(doc);
    CutFileAt(doc, twoPages + (threePages - twoPages) * stopsAfter / 4);
    HGLOBAL page = MakePatternPage(1, 64, 40);
    EXPECT_THROW(WritePageImageFile(page, target, false, 200, 0), std::runtime_error)
        << "the cut file is not refused";
    GlobalFree(page);
    undo.Undo();
    EXPECT_EQ(SizeOfFile(doc), twoPages);
    write();  // raises when the file is not sound
    CutTiffBack(doc, twoPages);
  }
  Loaded first(doc);
  EXPECT_EQ(first.bitmap.Width, 64);
  DeleteFileA(doc.c_str());

  const std::string single = TempFile("000003.tif");
  PageFileUndo undo(single);
  { std::ofstream(single) << "half a page"; }
  undo.Undo();
  EXPECT_EQ(GetFileAttributesA(single.c_str()), INVALID_FILE_ATTRIBUTES);
}
