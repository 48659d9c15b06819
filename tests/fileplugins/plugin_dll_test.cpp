// The File*.dll plug-ins driven as the scan library drives them. The files written here are
// checked afterwards by libtiff's, ImageMagick's, poppler's and qpdf's tools
// (independent_readers.sh), against the reference pictures written beside them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dib_layout.h"
#include "plugin_dll.h"
#include "plugin_status.h"
#include "test_pages.h"

namespace {

using fileplugins::PageKind;
using K = PageKind;

const char kOut[] = "fileplugins_out\\";

std::string Out(const std::string& name) { return kOut + name; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The page as a PGM or PPM picture, written by the test itself for the outside tools.
// Rows from `whiteFrom` on are white.
void WriteReference(const std::string& path, K kind, uint32_t w, uint32_t h, int seed,
                    uint32_t whiteFrom = UINT32_MAX) {
  const bool colour = kind == K::kRgb24 || kind == K::kRgb48;
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fprintf(f, "%s\n%u %u\n255\n", colour ? "P6" : "P5", w, h);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      const imagecore::Rgb c =
          y >= whiteFrom ? imagecore::MakeRgb(255, 255, 255) : testpages::Expected(kind, x, y, seed);
      std::fputc(c.red, f);
      if (colour) {
        std::fputc(c.green, f);
        std::fputc(c.blue, f);
      }
    }
  std::fclose(f);
}

const char* KindName(K kind) {
  switch (kind) {
    case K::kBlackWhite: return "bw";
    case K::kGray8: return "gray";
    case K::kGray16: return "gray16";
    case K::kRgb24: return "rgb";
    case K::kRgb48: return "rgb48";
  }
  return "?";
}

constexpr uint32_t kWidth = 120, kLength = 90;

// One page sent in blocks of rows as a scan delivers it.
int32_t SendPage(const PluginDll& dll, const std::string& path, K kind, int seed, int16_t mode = 0,
                 int32_t quality = 11, uint32_t rowsSent = kLength) {
  ScanPageInfo info = testpages::Info(kind, kWidth, kLength, mode);
  FileSaveOptions options{mode == 11 ? 0 : 1, mode == 11 ? 1 : 0, quality};
  int32_t rc = dll.fileCreate(path.c_str(), &info, &options);
  if (rc != 0) return rc;
  const size_t line = fileplugins::RowBytesOf(kWidth, kind);
  for (uint32_t y = 0; y < rowsSent; y += 16) {
    const uint32_t n = std::min<uint32_t>(16, rowsSent - y);
    std::vector<uint8_t> block;
    for (uint32_t r = 0; r < n; ++r) {
      const std::vector<uint8_t> row = testpages::Row(kind, kWidth, y + r, seed);
      block.insert(block.end(), row.begin(), row.end());
    }
    rc = dll.fileSave(block.data(), int32_t(line), int32_t(n), 1, 0);
    if (rc != 0) return rc;
  }
  return 0;
}

// Reads page `index` back through the plug-in and counts pixels off by more than `tolerance`.
int ReadBackMismatches(const PluginDll& dll, const std::string& path, int32_t index, K kind, int seed,
                       int tolerance, int32_t* pages = nullptr, ScanPageInfo* info = nullptr,
                       uint32_t whiteFrom = UINT32_MAX) {
  int32_t count = -1;
  EXPECT_EQ(dll.openImageFile(path.c_str(), &count, 0, 0), 0) << path;
  if (pages) *pages = count;
  EXPECT_EQ(dll.setPageIndex(index, 0), 0);
  HGLOBAL dib = nullptr;
  ScanPageInfo local{};
  EXPECT_EQ(dll.getImageData(&dib, info ? info : &local, 0, 0), 0);
  dll.closeImageFile();
  if (!dib) return -1;
  imagecore::Image image;
  const void* p = GlobalLock(dib);
  const imagecore::Status s = imagecore::DibToImage(static_cast<const uint8_t*>(p), GlobalSize(dib), image);
  GlobalUnlock(dib);
  GlobalFree(dib);
  if (s != imagecore::kOk) return -1;
  EXPECT_EQ(image.width, kWidth);
  EXPECT_EQ(image.height, kLength);
  return testpages::Mismatches(image, kind, seed, tolerance, whiteFrom);
}

struct DllRow {
  const char* file;
  const char* ext;
  uint16_t code;
  bool readable;
  bool multipage;
  std::vector<K> kinds;
  int tolerance;
};

const std::vector<DllRow>& Dlls() {
  static const std::vector<DllRow> rows = {
      {"FileTiff.dll", "tif", 0, true, true, {K::kBlackWhite, K::kGray8, K::kGray16, K::kRgb24, K::kRgb48}, 1},
      {"FileBmp.dll", "bmp", 1, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24}, 0},
      {"FileJpeg.dll", "jpg", 2, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24}, 24},
      {"FilePdf.dll", "pdf", 3, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, 0},
      {"FilePcx.dll", "pcx", 7, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24}, 0},
      {"FileTga.dll", "tga", 8, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24}, 0},
#ifdef FILEPLUGINS_HAVE_DJVU
      {"FileDjvu.dll", "djvu", 6, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, 0},
#endif
  };
  return rows;
}

class PluginDlls : public ::testing::Test {
 protected:
  // A fresh folder each run, so the outside readers never see a file of an earlier run.
  static void SetUpTestSuite() {
    CreateDirectoryA("fileplugins_out", nullptr);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA("fileplugins_out\\*", &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(Out(found.cFileName).c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
};

TEST_F(PluginDlls, EachLoadsWithItsEntryPointsAndNamesItsFormat) {
  for (const DllRow& row : Dlls()) {
    PluginDll dll(row.file);
    ASSERT_TRUE(dll.module) << row.file;
    EXPECT_TRUE(dll.HasRequired()) << row.file;
    EXPECT_EQ(dll.CanRead(), row.readable) << row.file;
    EXPECT_TRUE(dll.fileSaveAs) << row.file;
    char text[kFileExtTextSize];
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(dll.getFileExtStr(text), 0);
    EXPECT_STREQ(text, row.ext);

    uint16_t* list = nullptr;
    int32_t count = 0;
    ASSERT_EQ(dll.getFileExts(&list, &count, 0), 0);
    ASSERT_EQ(count, row.multipage ? 2 : 1) << "two codes let the library offer several pages per file";
    EXPECT_EQ(list[0], row.code);
    // A locked global block the caller frees.
    HGLOBAL h = GlobalHandle(list);
    ASSERT_TRUE(h) << row.file;
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    EXPECT_GE(GlobalSize(h), size_t(count) * 2);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
  }
}

TEST_F(PluginDlls, CompressionModesAreAddedAfterTheCallersList) {
  PluginDll tiff("FileTiff.dll"), pdf("FilePdf.dll");
  uint16_t* list = nullptr;
  int32_t count = 0;
  ASSERT_EQ(pdf.getCompMode(&list, &count, 0), 0);
  ASSERT_EQ(count, 4);
  EXPECT_EQ((std::vector<uint16_t>(list, list + count)), (std::vector<uint16_t>{0, 5, 11, 13}));
  ASSERT_EQ(tiff.getCompMode(&list, &count, 4), 0);
  ASSERT_EQ(count, 7) << "how many it wrote";
  EXPECT_EQ((std::vector<uint16_t>(list, list + 11)),
            (std::vector<uint16_t>{0, 5, 11, 13, 0, 1, 2, 5, 7, 11, 13}));
  HGLOBAL h = GlobalHandle(list);
  ASSERT_TRUE(h);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(tiff.getCompMode(nullptr, &count, 0), fileplugins::kPluginBadArgument);
  list = nullptr;
  EXPECT_EQ(tiff.getCompMode(&list, &count, 3), fileplugins::kPluginBadArgument) << "items said to be there";
}

TEST_F(PluginDlls, PagesWrittenLineByLineReadBackAsScanned) {
  for (const DllRow& row : Dlls()) {
    PluginDll dll(row.file);
    ASSERT_TRUE(dll.HasRequired()) << row.file;
    for (K kind : row.kinds) {
      const std::string name = std::string("page_") + KindName(kind) + "." + row.ext;
      const int seed = int(kind) + 1;
      ASSERT_EQ(SendPage(dll, Out(name), kind, seed, 0, 20), 0) << name;
      EXPECT_FALSE(Exists(Out(name))) << "no file before the page is finished";
      ASSERT_EQ(dll.fileClose(0), 0) << name;
      ASSERT_TRUE(Exists(Out(name))) << name;
      WriteReference(Out(name + ".ref." + (kind == K::kRgb24 || kind == K::kRgb48 ? "ppm" : "pgm")), kind,
                     kWidth, kLength, seed);
      if (!row.readable) continue;
      ScanPageInfo info{};
      int32_t pages = 0;
      const int bad = ReadBackMismatches(dll, Out(name), 0, kind, seed, row.tolerance, &pages, &info);
      EXPECT_EQ(pages, 1);
      EXPECT_LE(bad, row.tolerance ? int(kWidth * kLength * 8 / 100) : 0) << name;
      EXPECT_GE(bad, 0) << name;
      EXPECT_EQ(info.ImageWidth, int32_t(kWidth));
      if (row.code != 8) {  // TGA keeps no resolution
        EXPECT_EQ(info.XResolution, 200) << name;
      }
      // TGA and JPEG keep black and white as gray.
      EXPECT_EQ(info.PixelType, kind == K::kBlackWhite && row.code != 8 && row.code != 2 ? 0
                                : (kind == K::kRgb24 || kind == K::kRgb48) ? 2 : 1)
          << name;
    }
  }
}

// A JPEG page whose rows come in uneven pieces, then padding rows with junk in them, closed
// before its last rows: it reads as the page, white where no row came.
TEST_F(PluginDlls, JpegPageInUnevenPiecesReadsAsThePage) {
  PluginDll jpeg("FileJpeg.dll");
  const uint32_t pieces[] = {1, 2, 5, 13, 3, 21, 7};  // 52 rows, then 8 padding, 30 never come
  const uint32_t received = 52, padded = 60;
  for (K kind : {K::kRgb24, K::kBlackWhite}) {
    const std::string name = std::string("pieces_") + KindName(kind) + ".jpg";
    const int seed = 20 + int(kind);
    ScanPageInfo info = testpages::Info(kind, kWidth, kLength);
    FileSaveOptions options{1, 0, 20};
    ASSERT_EQ(jpeg.fileCreate(Out(name).c_str(), &info, &options), 0) << name;
    const size_t line = fileplugins::RowBytesOf(kWidth, kind);
    uint32_t y = 0;
    for (uint32_t n : pieces) {
      std::vector<uint8_t> block;
      for (uint32_t r = 0; r < n; ++r) {
        const std::vector<uint8_t> row = testpages::Row(kind, kWidth, y + r, seed);
        block.insert(block.end(), row.begin(), row.end());
      }
      ASSERT_EQ(jpeg.fileSave(block.data(), int32_t(line), int32_t(n), 1, 0), 0) << name << " row " << y;
      y += n;
    }
    ASSERT_EQ(y, received);
    std::vector<uint8_t> junk(line * (padded - received), 0x00);
    ASSERT_EQ(jpeg.fileSave(junk.data(), int32_t(line), int32_t(padded - received), 0, 0), 0) << name;
    EXPECT_FALSE(Exists(Out(name))) << "no file before the page is finished";
    ASSERT_EQ(jpeg.fileClose(0), 0) << name;
    ASSERT_TRUE(Exists(Out(name))) << name;
    EXPECT_FALSE(Exists(Out(name + ".~wr"))) << name;
    WriteReference(Out(name + ".ref." + (kind == K::kRgb24 ? "ppm" : "pgm")), kind, kWidth, kLength, seed,
                   received);
    ScanPageInfo got{};
    const int bad = ReadBackMismatches(jpeg, Out(name), 0, kind, seed, 24, nullptr, &got, received);
    EXPECT_GE(bad, 0) << name;
    EXPECT_LE(bad, int(kWidth * kLength * 8 / 100)) << name;
    EXPECT_EQ(got.PixelType, kind == K::kRgb24 ? 2 : 1) << name;
  }
}

TEST_F(PluginDlls, MultipageFilesHoldEveryPageInOrder) {
  const K kinds[] = {K::kBlackWhite, K::kGray8, K::kRgb24};
  std::vector<std::pair<const char*, std::string>> multipage = {{"FileTiff.dll", "tif"}, {"FilePdf.dll", "pdf"}};
#ifdef FILEPLUGINS_HAVE_DJVU
  multipage.push_back({"FileDjvu.dll", "djvu"});
#endif
  for (const auto& [file, ext] : multipage) {
    PluginDll dll(file);
    const std::string name = "multi." + ext;
    for (int p = 0; p < 3; ++p) {
      ASSERT_EQ(SendPage(dll, Out(name), kinds[p], 10 + p, ext == "djvu" ? 0 : 5), 0) << name << p;
      ASSERT_EQ(dll.fileClose(p < 2 ? 1 : 0), 0) << name << p;
      EXPECT_EQ(Exists(Out(name)), p == 2);
      WriteReference(Out(name + "." + std::to_string(p + 1) + ".ref." + (p == 2 ? "ppm" : "pgm")), kinds[p],
                     kWidth, kLength, 10 + p);
    }
  }
  PluginDll tiff("FileTiff.dll");
  for (int p = 0; p < 3; ++p) {
    int32_t pages = 0;
    EXPECT_EQ(ReadBackMismatches(tiff, Out("multi.tif"), p, kinds[p], 10 + p, 0, &pages), 0) << p;
    EXPECT_EQ(pages, 3);
  }
  EXPECT_EQ(tiff.openImageFile(Out("multi.tif").c_str(), nullptr, 0, 0), 0);
  EXPECT_EQ(tiff.setPageIndex(3, 0), fileplugins::kPluginBadPageIndex);
  EXPECT_EQ(tiff.setPageIndex(-1, 0), fileplugins::kPluginBadPageIndex);
  tiff.closeImageFile();
  EXPECT_EQ(tiff.setPageIndex(0, 0), fileplugins::kPluginNoImageOpen);
}

TEST_F(PluginDlls, DuplexSheetsGoTwoSidesToAFile) {
  // MULTIPAGE 2: the front is closed with 1, the back with 0.
  PluginDll tiff("FileTiff.dll");
  for (int sheet = 1; sheet <= 2; ++sheet) {
    const std::string name = Out("duplex00000" + std::to_string(sheet) + ".tif");
    ASSERT_EQ(SendPage(tiff, name, K::kGray8, 2 * sheet), 0);
    ASSERT_EQ(tiff.fileClose(1), 0);
    ASSERT_EQ(SendPage(tiff, name, K::kGray8, 2 * sheet + 1), 0);
    ASSERT_EQ(tiff.fileClose(0), 0);
    int32_t pages = 0;
    EXPECT_EQ(ReadBackMismatches(tiff, name, 1, K::kGray8, 2 * sheet + 1, 0, &pages), 0);
    EXPECT_EQ(pages, 2);
  }
  EXPECT_EQ(tiff.fileClose(0), 0) << "the library's closing call after the last page";
}

TEST_F(PluginDlls, TiffWritesEachCompressionItOffers) {
  PluginDll tiff("FileTiff.dll");
  struct Mode {
    int16_t mode;
    K kind;
  };
  const Mode modes[] = {{0, K::kGray8}, {1, K::kGray8}, {2, K::kBlackWhite}, {5, K::kBlackWhite},
                        {7, K::kRgb24}, {11, K::kRgb24}, {11, K::kGray8}, {13, K::kGray16}};
  for (const Mode& m : modes) {
    const std::string name = "mode" + std::to_string(m.mode) + "_" + KindName(m.kind) + ".tif";
    ASSERT_EQ(SendPage(tiff, Out(name), m.kind, 4, m.mode, 20), 0) << name;
    ASSERT_EQ(tiff.fileClose(0), 0) << name;
    EXPECT_LE(ReadBackMismatches(tiff, Out(name), 0, m.kind, 4, m.mode == 11 ? 24 : 1), int(kWidth * kLength / 12))
        << name;
  }
}

TEST_F(PluginDlls, ShortPageIsFilledWithWhite) {
  PluginDll bmp("FileBmp.dll");
  ASSERT_EQ(SendPage(bmp, Out("short.bmp"), K::kGray8, 6, 0, 11, 32), 0);
  ASSERT_EQ(bmp.fileClose(0), 0);
  EXPECT_EQ(ReadBackMismatches(bmp, Out("short.bmp"), 0, K::kGray8, 6, 0, nullptr, nullptr, 32), 0)
      << "the rows that never came are white";
}

TEST_F(PluginDlls, CallsOutOfOrderAndPagesThatDoNotFitGiveClearStatuses) {
  PluginDll tiff("FileTiff.dll"), jpeg("FileJpeg.dll");
  const uint8_t rows[512] = {};
  EXPECT_EQ(tiff.fileSave(rows, 120, 1, 1, 0), fileplugins::kPluginNoPage);

  ScanPageInfo gray = testpages::Info(K::kGray8, kWidth, kLength);
  FileSaveOptions options{1, 0, 11};
  ASSERT_EQ(tiff.fileCreate(Out("first.tif").c_str(), &gray, &options), 0);
  EXPECT_EQ(tiff.fileCreate(Out("second.tif").c_str(), &gray, &options), fileplugins::kPluginPageOpen);
  ASSERT_EQ(tiff.fileClose(0), 0);
  EXPECT_TRUE(Exists(Out("first.tif")));
  EXPECT_FALSE(Exists(Out("second.tif")));

  const std::string tooLong = Out(std::string(260, 'n') + ".tif");
  EXPECT_EQ(tiff.fileCreate(tooLong.c_str(), &gray, &options), fileplugins::kPluginBadName);
  EXPECT_EQ(tiff.fileCreate(nullptr, &gray, &options), fileplugins::kPluginBadName);
  EXPECT_EQ(tiff.fileCreate(Out("nofolder\\x.tif").c_str(), &gray, &options), fileplugins::kPluginOpenFailed);
  EXPECT_FALSE(Exists(Out("nofolder")));

  ScanPageInfo rgb48 = testpages::Info(K::kRgb48, kWidth, kLength);
  EXPECT_EQ(jpeg.fileCreate(Out("rgb48.jpg").c_str(), &rgb48, &options), fileplugins::kPluginPageUnsupported);
  ScanPageInfo palette = testpages::Info(K::kRgb24, kWidth, kLength);
  palette.BitsPerPixel = 8;
  EXPECT_EQ(tiff.fileCreate(Out("palette.tif").c_str(), &palette, &options), fileplugins::kPluginPageUnsupported);
  ScanPageInfo deep = testpages::Info(K::kGray16, kWidth, kLength);
  PluginDll bmp("FileBmp.dll");
  EXPECT_EQ(bmp.fileCreate(Out("deep.bmp").c_str(), &deep, &options), fileplugins::kPluginPageUnsupported);
  EXPECT_FALSE(Exists(Out("rgb48.jpg")));
  EXPECT_FALSE(Exists(Out("palette.tif")));
  EXPECT_FALSE(Exists(Out("deep.bmp")));
  EXPECT_FALSE(Exists(Out("rgb48.jpg.~wr")));
}

TEST_F(PluginDlls, FileThatCannotTakeItsPlaceIsReportedAndRemoved) {
  // The target is a folder: the finished document cannot replace it.
  ASSERT_TRUE(CreateDirectoryA(Out("taken.tif").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  PluginDll tiff("FileTiff.dll");
  ASSERT_EQ(SendPage(tiff, Out("taken.tif"), K::kGray8, 1), 0);
  EXPECT_EQ(tiff.fileClose(0), fileplugins::kPluginWriteFailed);
  EXPECT_FALSE(Exists(Out("taken.tif.~wr")));
  EXPECT_TRUE(RemoveDirectoryA(Out("taken.tif").c_str()));
  // The plug-in is ready for the next page.
  ASSERT_EQ(SendPage(tiff, Out("taken.tif"), K::kGray8, 1), 0);
  EXPECT_EQ(tiff.fileClose(0), 0);
  EXPECT_TRUE(Exists(Out("taken.tif")));
}

TEST_F(PluginDlls, AbandonedFileLeavesNothingWhenThePlugInIsUnloaded) {
  {
    PluginDll tiff("FileTiff.dll");
    ASSERT_EQ(SendPage(tiff, Out("abandoned.tif"), K::kGray8, 1), 0);
    ASSERT_EQ(tiff.fileClose(1), 0);
    EXPECT_TRUE(Exists(Out("abandoned.tif.~wr")));
  }
  EXPECT_FALSE(Exists(Out("abandoned.tif")));
  EXPECT_FALSE(Exists(Out("abandoned.tif.~wr")));
}

TEST_F(PluginDlls, DamagedFilesAreRefusedWithoutHarm) {
  PluginDll tiff("FileTiff.dll"), bmp("FileBmp.dll");
  ASSERT_EQ(SendPage(tiff, Out("whole.tif"), K::kRgb24, 3, 7), 0);
  ASSERT_EQ(tiff.fileClose(0), 0);
  FILE* f = std::fopen(Out("whole.tif").c_str(), "rb");
  ASSERT_TRUE(f);
  std::vector<uint8_t> bytes(1 << 20);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  int refused = 0;
  for (size_t n = 0; n < bytes.size(); n += 97) {
    FILE* g = std::fopen(Out("cut.tif").c_str(), "wb");
    std::fwrite(bytes.data(), 1, n, g);
    std::fclose(g);
    int32_t pages = 0;
    if (tiff.openImageFile(Out("cut.tif").c_str(), &pages, 0, 0) != 0) {
      ++refused;
      continue;
    }
    HGLOBAL dib = nullptr;
    if (tiff.getImageData(&dib, nullptr, 0, 0) == 0) {
      GlobalFree(dib);
    } else {
      EXPECT_EQ(dib, nullptr);
    }
    tiff.closeImageFile();
  }
  EXPECT_GT(refused, 0);
  int32_t pages = 0;
  EXPECT_EQ(tiff.openImageFile(Out("missing.tif").c_str(), &pages, 0, 0), fileplugins::kPluginOpenFailed);
  ASSERT_EQ(SendPage(bmp, Out("really_bmp.bmp"), K::kGray8, 3), 0);
  ASSERT_EQ(bmp.fileClose(0), 0);
  ASSERT_TRUE(CopyFileA(Out("really_bmp.bmp").c_str(), Out("really_bmp.tif").c_str(), FALSE));
  EXPECT_EQ(tiff.openImageFile(Out("really_bmp.tif").c_str(), &pages, 0, 0), fileplugins::kPluginBadFile);
  HGLOBAL dib = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(tiff.getImageData(&dib, nullptr, 0, 0), fileplugins::kPluginNoImageOpen);
  EXPECT_EQ(dib, nullptr);
}

TEST_F(PluginDlls, SaveAsWritesAWholeFileFromADibOrFromAFile) {
  // A 24-bit DIB built here, bottom-up as page DIBs are.
  imagecore::Image image;
  ASSERT_TRUE(imagecore::Allocate(image, kWidth, kLength, 24));
  for (uint32_t y = 0; y < kLength; ++y)
    for (uint32_t x = 0; x < kWidth; ++x) {
      const imagecore::Rgb c = testpages::Expected(K::kRgb24, x, y, 8);
      image.Row(y)[3 * x] = c.blue;
      image.Row(y)[3 * x + 1] = c.green;
      image.Row(y)[3 * x + 2] = c.red;
    }
  image.xPelsPerMeter = image.yPelsPerMeter = 7874;  // 200 dpi
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, imagecore::DibBlockSize(image));
  imagecore::WriteDib(image, static_cast<uint8_t*>(GlobalLock(dib)));
  GlobalUnlock(dib);
  FileSaveOptions options{1, 0, 20};
  for (const DllRow& row : Dlls()) {
    PluginDll dll(row.file);
    const std::string name = std::string("saveas.") + row.ext;
    ASSERT_EQ(dll.fileSaveAs(nullptr, dib, Out(name).c_str(), 0, 0, &options), 0) << name;
    WriteReference(Out(name + ".ref.ppm"), K::kRgb24, kWidth, kLength, 8);
    if (row.readable) {
      EXPECT_LE(ReadBackMismatches(dll, Out(name), 0, K::kRgb24, 8, row.tolerance), int(kWidth * kLength / 12))
          << name;
    }
  }
  GlobalFree(dib);
  // Every page of a file: the three pages of multi.tif into a PDF and a new TIFF.
  PluginDll pdf("FilePdf.dll"), tiff("FileTiff.dll"), bmp("FileBmp.dll");
  ASSERT_TRUE(Exists(Out("multi.tif")));
  EXPECT_EQ(pdf.fileSaveAs(Out("multi.tif").c_str(), nullptr, Out("converted.pdf").c_str(), 0, 0, &options), 0);
  EXPECT_EQ(tiff.fileSaveAs(Out("multi.tif").c_str(), nullptr, Out("converted.tif").c_str(), 0, 0, nullptr), 0);
  EXPECT_EQ(bmp.fileSaveAs(Out("multi.tif").c_str(), nullptr, Out("converted.bmp").c_str(), 0, 0, &options),
            fileplugins::kPluginOnePageOnly);
  EXPECT_FALSE(Exists(Out("converted.bmp")));
  EXPECT_EQ(tiff.fileSaveAs(Out("converted.pdf").c_str(), nullptr, Out("back.tif").c_str(), 0, 0, &options),
            fileplugins::kPluginCannotRead);
  EXPECT_EQ(tiff.fileSaveAs(nullptr, nullptr, Out("nothing.tif").c_str(), 0, 0, &options),
            fileplugins::kPluginBadArgument);
  int32_t pages = 0;
  EXPECT_EQ(ReadBackMismatches(tiff, Out("converted.tif"), 2, K::kRgb24, 12, 0, &pages), 0);
  EXPECT_EQ(pages, 3);
}

}  // namespace
