// Writing and reading files through the image-file library, the save dispatcher, multipage
// TIFF on files and memory blocks, and tags.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "codecs.h"
#include "crde_bindings.h"
#include "dib_blocks.h"
#include "dib_handle.h"
#include "dll_loader.h"
#include "error_invalid.h"
#include "save_image_file.h"
#include "tiff_codec.h"

using namespace pictorel_test;

namespace {

struct FormatCase {
  const char* name;
  uint16_t bits;
  bool gray;
  int writeBits;
  int tolerance;
};

using Writer = std::function<bool(const std::string&, int, HGLOBAL)>;
using Reader = std::function<HGLOBAL(const std::string&)>;

std::pair<Writer, Reader> Codec(const std::string& name) {
  if (name == "bmp") return {[](auto& f, int b, HGLOBAL h) { return WriteBmpFile(f, b, h, nullptr, nullptr); },
                             [](auto& f) { return ReadBmpFile(f, 0, false, nullptr, nullptr); }};
  if (name == "pcx") return {[](auto& f, int b, HGLOBAL h) { return WritePcxFile(f, b, h, nullptr, nullptr); },
                             [](auto& f) { return ReadPcxFile(f, 0, false, nullptr, nullptr); }};
  if (name == "gif") return {[](auto& f, int b, HGLOBAL h) { return WriteGifFile(f, b, h, nullptr, nullptr); },
                             [](auto& f) { return ReadGifFile(f, 0, false, nullptr, nullptr); }};
  if (name == "tga") return {[](auto& f, int b, HGLOBAL h) { return WriteTgaFile(f, b, h, nullptr, nullptr); },
                             [](auto& f) { return ReadTgaFile(f, 0, false, nullptr, nullptr); }};
  if (name == "png") return {[](auto& f, int b, HGLOBAL h) { return WritePngFile(f, b, 1, h, nullptr, nullptr); },
                             [](auto& f) { return ReadPngFile(f, 0, false, nullptr, nullptr); }};
  if (name == "jpg") return {[](auto& f, int b, HGLOBAL h) { return WriteJpgFile(f, 95, 0, b, h, nullptr, nullptr); },
                             [](auto& f) { return ReadJpgFile(f, 0, false, nullptr, nullptr); }};
  return {[](auto& f, int b, HGLOBAL h) { return WriteTiffFile(f, 5, b, false, h, nullptr, nullptr); },
          [](auto& f) { return ReadTiffFile(f, 0, false, 0, nullptr, nullptr); }};
}

TEST(FileRoundTrip, EveryFormatAndDepthReadsBackThroughTheLibrary) {
  const FormatCase cases[] = {
      {"bmp", 1, false, 0, 0}, {"bmp", 4, false, 0, 0}, {"bmp", 8, false, 0, 0}, {"bmp", 8, true, 0, 0},
      {"bmp", 24, false, 24, 0}, {"pcx", 1, false, 1, 0}, {"pcx", 4, false, 4, 0}, {"pcx", 8, true, 8, 0},
      {"pcx", 24, false, 0, 0}, {"gif", 1, false, 1, 0}, {"gif", 4, false, 4, 0}, {"gif", 8, false, 8, 0},
      {"gif", 8, true, 0, 0}, {"tga", 8, false, 8, 0}, {"tga", 8, true, 8, 0}, {"tga", 24, false, 24, 0},
      {"tga", 4, false, 8, 0}, {"png", 1, false, 0, 0}, {"png", 4, true, 0, 0}, {"png", 8, false, 0, 0},
      {"png", 24, false, 24, 0}, {"tif", 1, true, 1, 0}, {"tif", 4, false, 4, 0}, {"tif", 8, true, 8, 0},
      {"tif", 8, false, 8, 0}, {"tif", 24, false, 24, 0}, {"jpg", 24, false, 24, 40}, {"jpg", 8, true, 8, 40}};
  for (const auto& c : cases) {
    imagecore::Image im = Pattern(c.bits, 33, 17, c.gray);
    if (c.tolerance)  // smooth content for the lossy codec
      for (uint32_t y = 0; y < im.height; ++y)
        for (size_t i = 0; i < im.Stride(); ++i) im.Row(y)[i] = uint8_t(y * 8 + i / 3);
    if (c.bits == 1 && c.gray) im.palette = {imagecore::MakeRgb(0, 0, 0), imagecore::MakeRgb(255, 255, 255)};
    HGLOBAL h = ToBlock(im);
    std::string file = TempPath(std::string("round.") + c.name);
    auto [write, read] = Codec(c.name);
    ASSERT_TRUE(write(file, c.writeBits, h)) << c.name << c.bits;
    HGLOBAL back = read(file);
    ASSERT_NE(back, nullptr) << c.name << c.bits << " " << LastDllError().text;
    EXPECT_EQ(DifferentPixels(im, FromBlock(back), c.tolerance), 0u) << c.name << c.bits;
    QmFileInfo info;
    ASSERT_TRUE(GetFileInfo(file, info)) << c.name;
    EXPECT_EQ(info.width, 33);
    FreeDibHandle(back);
    FreeDibHandle(h);
    DeleteFileA(file.c_str());
  }
}

TEST(Writers, RefuseBlocksThatAreTooSmallOrCut) {
  std::string file = TempPath("cut.bmp");
  for (size_t size : {10u, 20u, 39u, 40u + 1024u, 40u + 1024u + 60u}) {
    HGLOBAL h = RawDib(10, 10, 8, 0, size);
    EXPECT_FALSE(WriteBmpFile(file, 0, h, nullptr, nullptr)) << size;
    EXPECT_FALSE(WriteTiffFile(file, 1, 0, false, h, nullptr, nullptr)) << size;
    FreeDibHandle(h);
  }
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

void Save(const std::string& file, HGLOBAL h, uint8_t kind, uint8_t tiffOption = 1, int page = 0) {
  SaveImageFile(file, h, 4, kind, 2, tiffOption, page, 80, 0, 0, nullptr, nullptr);
}

std::string ThrownBy(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErrorInvalid& e) {
    return e.what();
  }
  return "";
}

TEST(SaveImageFile, WritesEveryKindItKnows) {
  HGLOBAL h = ToBlock(Pattern(24, 20, 10));
  const std::pair<uint8_t, const char*> kinds[] = {{0, "jpg"}, {2, "png"}, {3, "tif"}, {5, "gif"},
                                                   {6, "tga"}, {8, "pcx"}, {9, "bmp"}};
  for (auto [kind, ext] : kinds) {
    std::string file = TempPath(std::string("save.") + ext);
    DeleteFileA(file.c_str());
    Save(file, h, kind);
    QmFileInfo info;
    EXPECT_TRUE(GetFileInfo(file, info)) << ext;
    EXPECT_EQ(info.width, 20) << ext;
  }
  FreeDibHandle(h);
}

TEST(SaveImageFile, ReportsWhatItCannotDo) {
  HGLOBAL h = ToBlock(Pattern(24, 20, 10));
  std::string file = TempPath("nothing.xyz");
  // A kind above 9 and a TIFF option outside 0..2 call no writer: nothing written, nothing said.
  for (auto [kind, option] : {std::pair<uint8_t, uint8_t>{10, 1}, {12, 1}, {3, 5}, {4, 7}}) {
    EXPECT_EQ(ThrownBy([&] { Save(file, h, kind, option); }), "") << int(kind) << "/" << int(option);
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << int(kind);
  }
  EXPECT_EQ(ThrownBy([&] { Save(file, h, 7); }), "pcd save feature not implemented");
  EXPECT_EQ(ThrownBy([&] { Save(file, nullptr, 9); }), "Input image is empty");
  HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE, 9);
  EXPECT_EQ(ThrownBy([&] { Save(file, tiny, 9); }), "Input image is empty");
  HGLOBAL cut = RawDib(100, 100, 24, 0, 200);
  EXPECT_EQ(ThrownBy([&] { Save(TempPath("cut.bmp"), cut, 9); }), "Could not write Image");
  for (HGLOBAL x : {h, tiny, cut}) GlobalFree(x);
}

int PagesOf(const std::string& file) {
  QmPageInfo info;
  return GetImageFileInfo(file, 0, info) ? info.pages : -1;
}

int WidthOfPage(const std::string& file, int page) {
  HGLOBAL h = ReadTiffFile(file, 0, false, page, nullptr, nullptr);
  int w = int(FromBlock(h).width);
  FreeDibHandle(h);
  return w;
}

TEST(MultipageTiff, AppendInsertReplaceDeleteAndPackOnAFile) {
  std::string file = TempPath("pages.tif");
  DeleteFileA(file.c_str());
  HGLOBAL a = ToBlock(Pattern(1, 10, 8, true)), b = ToBlock(Pattern(8, 20, 8)), c = ToBlock(Pattern(24, 30, 8));
  Save(file, a, 3, 1);       // new file
  Save(file, b, 3, 0);       // appended
  EXPECT_EQ(PagesOf(file), 2);
  Save(file, c, 4, 2, 1);    // inserted before page 1
  EXPECT_EQ(PagesOf(file), 3);
  EXPECT_EQ(WidthOfPage(file, 1), 30);
  EXPECT_TRUE(ReplaceTiffPage(file, 5, 0, 0, c, nullptr, nullptr));
  EXPECT_EQ(WidthOfPage(file, 0), 30);
  EXPECT_TRUE(DeletePage(file, 1));
  EXPECT_EQ(PagesOf(file), 2);
  EXPECT_EQ(WidthOfPage(file, 1), 20);
  EXPECT_TRUE(PackTiff(file, nullptr, nullptr));
  EXPECT_EQ(PagesOf(file), 2);
  EXPECT_FALSE(DeletePage(file, 5));
  EXPECT_LT(LastDllError().code, 0);
  Save(file, a, 3, 1);       // a new file again
  EXPECT_EQ(PagesOf(file), 1);
  for (HGLOBAL x : {a, b, c}) FreeDibHandle(x);
}

HGLOBAL BlockOf(const std::string& file, int32_t& size) {
  HANDLE f = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  size = int32_t(GetFileSize(f, nullptr));
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size));
  DWORD got = 0;
  ReadFile(f, GlobalLock(h), DWORD(size), &got, nullptr);
  GlobalUnlock(h);
  CloseHandle(f);
  return h;
}

TEST(MultipageTiff, ReplaceDeleteAndPackInAMemoryBlock) {
  std::string file = TempPath("stream.tif");
  DeleteFileA(file.c_str());
  HGLOBAL a = ToBlock(Pattern(8, 10, 8)), b = ToBlock(Pattern(8, 20, 8)), big = ToBlock(Pattern(24, 300, 200));
  Save(file, a, 3, 1);
  Save(file, b, 3, 0);
  Save(file, a, 3, 0);
  int32_t size = 0;
  HGLOBAL stream = BlockOf(file, size);
  QmPageInfo info;
  ASSERT_TRUE(GetInfoStream(GlobalLock(stream), size, 0, info));
  GlobalUnlock(stream);
  EXPECT_EQ(info.pages, 3);
  EXPECT_EQ(info.compressionName, "FAXCCITT3");  // option 2 writes code 3
  ASSERT_TRUE(ReplaceTiffPageStream(stream, size, 5, 0, 1, big, nullptr, nullptr));  // grows the block
  void* p = GlobalLock(stream);
  HGLOBAL page1 = ReadTiffStream(p, size, 0, false, 1, nullptr, nullptr);
  EXPECT_EQ(FromBlock(page1).width, 300u);
  EXPECT_TRUE(DeletePageStream(p, size, 0));
  ASSERT_TRUE(GetInfoStream(p, size, 0, info));
  EXPECT_EQ(info.pages, 2);
  EXPECT_EQ(info.width, 300);
  int length = 0;
  int32_t value = 0;
  std::string text;
  EXPECT_TRUE(ReadTagStream(p, size, 0, 256, length, value, text));
  EXPECT_EQ(value, 300);
  GlobalUnlock(stream);
  ASSERT_TRUE(PackTiffStream(stream, size, nullptr, nullptr));
  p = GlobalLock(stream);
  ASSERT_TRUE(GetInfoStream(p, size, 1, info));
  EXPECT_EQ(info.pages, 2);
  EXPECT_EQ(info.width, 10);
  GlobalUnlock(stream);
  for (HGLOBAL x : {a, b, big, page1, stream}) FreeDibHandle(x);
}

std::vector<std::pair<uint16_t, std::string>> g_tags;
int16_t __cdecl CollectTag(uint16_t tag, int16_t length, int32_t value, HGLOBAL data, void*) {
  std::string text;
  if (length >= 5 && data) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
    GlobalFree(data);
  }
  g_tags.emplace_back(tag, length >= 5 ? text : std::to_string(value));
  return 1;
}

TEST(Tags, ReadOneOrAllOfAPage) {
  std::string file = TempPath("tags.tif");
  HGLOBAL a = ToBlock(Pattern(8, 12, 9));
  ASSERT_TRUE(WriteTiffFile(file, 5, 8, false, a, nullptr, nullptr));
  int length = 0;
  int32_t value = 0;
  std::string text;
  ASSERT_TRUE(ReadTag(file, 0, 282, length, value, text));
  EXPECT_EQ(length, 8);
  EXPECT_EQ(text, "300/1");
  ASSERT_TRUE(ReadTag(file, 0, 257, length, value, text));
  EXPECT_EQ(value, 9);
  EXPECT_EQ(text, "");
  EXPECT_FALSE(ReadTag(file, 3, 257, length, value, text));
  g_tags.clear();
  ASSERT_TRUE(ReturnTags(file, 0, nullptr, CollectTag));
  ASSERT_GE(g_tags.size(), 10u);
  EXPECT_EQ(g_tags[0], (std::pair<uint16_t, std::string>{256, "12"}));
  FreeDibHandle(a);
}

}  // namespace

namespace {

std::vector<int> g_progress;
int16_t g_answer = 1;
int16_t __cdecl Progress(int16_t value, void* sender) {
  g_progress.push_back(value);
  EXPECT_EQ(sender, &g_progress);
  return g_answer;
}

TEST(Progress, ReportedAroundTheWorkAndACancelStopsIt) {
  HGLOBAL h = ToBlock(Pattern(8, 16, 16));
  std::string file = TempPath("progress.png");
  DeleteFileA(file.c_str());
  g_progress.clear();
  g_answer = 1;
  ASSERT_TRUE(WritePngFile(file, 0, 0, h, &g_progress, Progress));
  EXPECT_EQ(g_progress, (std::vector<int>{0, 100}));
  EXPECT_EQ(OperationText(), "Writing " + file);
  g_progress.clear();
  HGLOBAL back = ReadPngFile(file, 0, false, &g_progress, Progress);
  EXPECT_NE(back, nullptr);
  EXPECT_EQ(g_progress, (std::vector<int>{0, 100}));
  g_answer = 0;
  std::string other = TempPath("cancelled.png");
  EXPECT_FALSE(WritePngFile(other, 0, 0, h, &g_progress, Progress));
  EXPECT_EQ(GetFileAttributesA(other.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadPngFile(file, 0, false, &g_progress, Progress), nullptr);
  g_answer = 1;
  FreeDibHandle(back);
  FreeDibHandle(h);
}

TEST(Readers, DamagedFilesFailWithTheLibrarysText) {
  const char* names[] = {"bad.bmp", "bad.png", "bad.gif", "bad.pcx", "bad.tga", "bad.tif"};
  for (const char* n : names) {
    std::string file = TempPath(n);
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string junk = std::string(n).find("bmp") != std::string::npos ? "BM" : "II*";
    junk += std::string(200, '\x7f');
    DWORD put = 0;
    WriteFile(f, junk.data(), DWORD(junk.size()), &put, nullptr);
    CloseHandle(f);
  }
  LastDllError() = DllErrorRecord{};
  EXPECT_EQ(ReadBmpFile(TempPath("bad.bmp"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_LT(LastDllError().code, 0);
  EXPECT_NE(LastDllError().text, "");
  EXPECT_EQ(ReadPngFile(TempPath("bad.png"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(LastDllError().text, "The file is not of the expected format");
  EXPECT_EQ(ReadGifFile(TempPath("bad.gif"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(ReadPcxFile(TempPath("bad.pcx"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(ReadTgaFile(TempPath("bad.tga"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(ReadTiffFile(TempPath("bad.tif"), 0, false, 0, nullptr, nullptr), nullptr);
  QmFileInfo info;
  EXPECT_FALSE(GetFileInfo(TempPath("bad.tif"), info));
}

void PutFile(const std::string& file, const std::vector<uint8_t>& bytes) {
  HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

// A page whose data cannot be decoded and a kind the library does not read are told apart in
// the texts the viewer shows.
TEST(Readers, UndecodableAndUnsupportedPagesHaveTheirOwnTexts) {
  std::vector<uint8_t> tiff;
  imagecore::MemoryStream out(tiff);
  ASSERT_EQ(imagecore::WriteTiff(Pattern(24, 40, 30, false), imagecore::kTiffLzw, out.AsStream()), imagecore::kOk);
  imagecore::TiffTag offset, count;
  ASSERT_EQ(imagecore::ReadTiffTag(tiff.data(), tiff.size(), 0, 273, offset), imagecore::kOk);
  ASSERT_EQ(imagecore::ReadTiffTag(tiff.data(), tiff.size(), 0, 279, count), imagecore::kOk);
  for (int32_t i = 4; i + 2 < count.value; ++i) tiff[size_t(offset.value + i)] = uint8_t(i * 97 % 255);
  PutFile(TempPath("undecodable.tif"), tiff);
  EXPECT_EQ(ReadTiffFile(TempPath("undecodable.tif"), 0, false, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(LastDllError().text, "The image data could not be decoded");

  std::vector<uint8_t> jpeg;
  imagecore::MemoryStream jpegOut(jpeg);
  ASSERT_EQ(imagecore::WriteJpeg(Pattern(8, 16, 16, true), 80, 0, jpegOut.AsStream()), imagecore::kOk);
  for (size_t i = 2; i + 4 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 4] = 12;  // a frame of 12-bit samples
      break;
    }
  PutFile(TempPath("twelve.jpg"), jpeg);
  EXPECT_EQ(ReadJpgFile(TempPath("twelve.jpg"), 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(LastDllError().text, "The image kind is not supported");
}

TEST(TwainIni, WritesTheResolutionsAndTheProgramName) {
  PictorelStartUp();
  char value[64] = {};
  GetPrivateProfileStringA("Pictorel Twain", "App Name", "", value, sizeof value, "qmtwain.ini");
  EXPECT_EQ(std::string(value), "pictorel_test");
  WriteTwainIni(true, 300, 150);
  GetPrivateProfileStringA("Pictorel Twain", "AutoRes", "", value, sizeof value, "qmtwain.ini");
  EXPECT_EQ(std::string(value), "1");
  GetPrivateProfileStringA("Pictorel Twain", "YRes", "", value, sizeof value, "qmtwain.ini");
  EXPECT_EQ(std::string(value), "150");
  WriteTwainIni(false, 200, 200);
  GetPrivateProfileStringA("Pictorel Twain", "AutoRes", "", value, sizeof value, "qmtwain.ini");
  EXPECT_EQ(std::string(value), "0");
}

}  // namespace

namespace {

TEST(Threads, TheSaveQueueWritesWhileTheViewerReads) {
  HGLOBAL page = ToBlock(Pattern(24, 64, 48));
  std::string shown = TempPath("shown.bmp");
  ASSERT_TRUE(WriteBmpFile(shown, 24, page, nullptr, nullptr));
  std::atomic<int> written{0};
  std::thread worker([&] {
    for (int i = 0; i < 20; ++i) {
      std::string file = TempPath("queued" + std::to_string(i % 3) + ".tif");
      try {
        SaveImageFile(file, page, 4, 3, 4, 1, 0, 80, 0, 0, nullptr, nullptr);
        ++written;
      } catch (const ErrorInvalid&) {
      }
    }
  });
  int read = 0;
  for (int i = 0; i < 20; ++i) {
    HGLOBAL h = ReadBmpFile(shown, 0, false, nullptr, nullptr);
    if (h && DifferentPixels(FromBlock(h), Pattern(24, 64, 48)) == 0) ++read;
    FreeDibHandle(h);
  }
  worker.join();
  EXPECT_EQ(read, 20);
  EXPECT_EQ(written.load(), 20);
  FreeDibHandle(page);
}

}  // namespace
