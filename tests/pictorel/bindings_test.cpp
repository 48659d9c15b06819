// The bindings of ISP2000.DLL and CRDE2001.DLL, driven through the real libraries.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "anno_bindings.h"
#include "crde_bindings.h"
#include "dib_blocks.h"
#include "dib_handle.h"
#include "dll_loader.h"
#include "error_invalid.h"
#include "convert.h"
#include "isp_bindings.h"

using namespace pictorel_test;

namespace {

std::vector<std::string> g_messages;
void Remember(const std::string& text) { g_messages.push_back(text); }

class Bindings : public ::testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    SetPictorelUiThread(GetCurrentThreadId());
    SetPictorelMessageProc(Remember);
  }
};

int BitsOf(HGLOBAL h) { return FromBlock(h).bits; }

TEST_F(Bindings, RotateReplacesTheImageOnSuccess) {
  HGLOBAL h = ToBlock(Pattern(8, 30, 10));
  ASSERT_TRUE(RotateImage(h, 0, 0, 0, 0, 90, RGB(255, 255, 255)));
  imagecore::Image r = FromBlock(h);
  EXPECT_EQ(r.width, 10u);
  EXPECT_EQ(r.height, 30u);
  EXPECT_EQ(OperationText(), "Rotating Image ");
  FreeDibHandle(h);
}

TEST_F(Bindings, RotateFailureKeepsTheSource) {
  HGLOBAL bad = RawDib(10, 10, 24, 0, 60);  // rows missing: the library refuses it
  HGLOBAL kept = bad;
  EXPECT_FALSE(RotateImage(bad, 0, 0, 0, 0, 45, RGB(0, 0, 0)));
  EXPECT_EQ(bad, kept);
  EXPECT_EQ(GlobalSize(bad), SIZE_T(60));
  FreeDibHandle(bad);
}

TEST_F(Bindings, MirrorInvertScaleAndGray) {
  imagecore::Image im = Pattern(24, 12, 6);
  HGLOBAL h = ToBlock(im);
  HGLOBAL mirrored = MirrorImage(h, false, true);
  ASSERT_NE(mirrored, nullptr);
  EXPECT_EQ(imagecore::PixelColor(FromBlock(mirrored), FromBlock(mirrored).Row(0), 0),
            imagecore::PixelColor(im, im.Row(0), 11));
  EXPECT_TRUE(InvertImage(h));
  HGLOBAL bad = RawDib(10, 10, 24, 0, 60);
  EXPECT_FALSE(InvertImage(bad));
  HGLOBAL gray = ScaleImageToGray(h, 6, 6, 3);
  EXPECT_EQ(BitsOf(gray), 4);
  HGLOBAL bilevel = ScaleImageToGray(h, 0, 6, 3);
  EXPECT_EQ(BitsOf(bilevel), 1);
  for (HGLOBAL x : {h, mirrored, bad, gray, bilevel}) FreeDibHandle(x);
}

TEST_F(Bindings, ResizeBringsTheImageBackToItsDepth) {
  HGLOBAL one = ToBlock(Pattern(1, 40, 20, true));
  HGLOBAL r = ResizeImage(one, 20, 10, 8);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(BitsOf(r), 4);
  HGLOBAL wide = ResizeImage(one, 20, 10, 24);
  EXPECT_EQ(BitsOf(wide), 24);
  HGLOBAL eight = ToBlock(Pattern(8, 40, 20));
  HGLOBAL r8 = ResizeImage(eight, 10, 10, 8);
  EXPECT_EQ(BitsOf(r8), 8);
  EXPECT_EQ(FromBlock(r8).width, 10u);
  // A source the conversion cannot raise gives null, never a scaled null block.
  HGLOBAL bad = RawDib(10, 10, 4, 0, 50);
  EXPECT_EQ(ResizeImage(bad, 5, 5, 4), nullptr);
  for (HGLOBAL x : {one, r, wide, eight, r8, bad}) FreeDibHandle(x);
}

TEST_F(Bindings, IncreaseColorsChoosesTheConversion) {
  struct Row { uint16_t from; int to; int result; } rows[] = {
      {8, 16, 24}, {4, 16, 0}, {24, 24, 0}, {1, 4, 4}, {1, 8, 8}, {1, 24, 24}, {4, 8, 8},
      {4, 24, 24}, {8, 8, 0}, {8, 4, 0}, {1, 16, 0}, {16, 24, 24}, {16, 16, 24}, {16, 8, 0}};
  for (const Row& r : rows) {
    HGLOBAL h = ToBlock(Pattern(r.from, 9, 4));
    HGLOBAL up = IncreaseColors(h, r.to);
    EXPECT_EQ(up ? BitsOf(up) : 0, r.result) << r.from << "->" << r.to;
    if (up) {
      EXPECT_EQ(DifferentPixels(FromBlock(up), Pattern(r.from, 9, 4)), 0u);
    }
    FreeDibHandle(up);
    FreeDibHandle(h);
  }
}

TEST_F(Bindings, ReduceColorsGivesAGrayRampForGray) {
  imagecore::Image gray = Pattern(8, 16, 16, true), rgb;
  imagecore::IncreaseDepth(gray, 24, rgb);
  HGLOBAL h = ToBlock(rgb);
  HGLOBAL four = ReduceColors(h, 4);
  EXPECT_EQ(FromBlock(four).palette, imagecore::GrayRamp(4));
  EXPECT_EQ(ReduceColors(nullptr, 4), nullptr);
  FreeDibHandle(four);
  FreeDibHandle(h);
}

TEST_F(Bindings, DeskewMeasuresWithoutReplacing) {
  imagecore::Image page;
  imagecore::Allocate(page, 300, 200, 8);
  std::fill(page.pixels.begin(), page.pixels.end(), 255);
  for (int line = 30; line < 180; line += 25)
    for (uint32_t x = 10; x < 290; ++x)
      for (int k = 0; k < 3; ++k) page.Row(uint32_t(line + k + int(x * 0.035)))[x] = 0;
  HGLOBAL h = ToBlock(page), before = h;
  double angle = DeskewImage(h, 1, 128, 5, 0.1, 1);
  EXPECT_NEAR(angle, 2.0, 0.15);
  EXPECT_EQ(h, before);
  FreeDibHandle(h);
}

TEST_F(Bindings, Dib8To24ReadsTheTableAndBlacksOutStrayIndexes) {
  imagecore::Image im = Pattern(8, 5, 3);
  im.palette.resize(4);  // indexes from 4 up lie past the table
  HGLOBAL h = ToBlock(im);
  HGLOBAL wide = Dib8To24(h);
  imagecore::Image out = FromBlock(wide);
  ASSERT_EQ(out.bits, 24);
  for (uint32_t y = 0; y < 3; ++y)
    for (uint32_t x = 0; x < 5; ++x) {
      uint8_t index = im.Row(y)[x];
      imagecore::Rgb want = index < 4 ? im.palette[index] : imagecore::Rgb{};
      EXPECT_EQ(imagecore::PixelColor(out, out.Row(y), x), want);
    }
  UnlockDibHandle(wide);
  FreeDibHandle(wide);
  HGLOBAL rgb = ToBlock(Pattern(24, 2, 2));
  EXPECT_THROW(Dib8To24(rgb), ErrorInvalid);
  FreeDibHandle(rgb);
  FreeDibHandle(h);
}

TEST_F(Bindings, ShortFilesAreRefusedWithoutACall) {
  std::string file = TempPath("short.bmp");
  HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, "BM012345678901234567890123456", 29, &put, nullptr);
  CloseHandle(f);
  LastDllError() = DllErrorRecord{};
  EXPECT_EQ(ReadBmpFile(file, 0, false, nullptr, nullptr), nullptr);
  EXPECT_EQ(ReadTiffFile(file, 0, false, 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(LastDllError().code, 0);
  EXPECT_THROW(FileLongEnough(TempPath("absent.bmp")), ErrorInvalid);
}

TEST_F(Bindings, FailedJpegReadLeavesTheLibraryLoaded) {
  std::string file = TempPath("broken.jpg");
  HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::string junk(100, 'x');
  DWORD put = 0;
  WriteFile(f, junk.data(), DWORD(junk.size()), &put, nullptr);
  CloseHandle(f);
  EXPECT_EQ(ReadJpgFile(file, 0, false, nullptr, nullptr), nullptr);
  EXPECT_NE(GetModuleHandleA("CRDE2001.DLL"), nullptr);
  EXPECT_NE(CrdeLibrary(), nullptr);
  EXPECT_LT(LastDllError().code, 0);
  EXPECT_FALSE(LastDllError().text.empty());
}

TEST_F(Bindings, ErrorTextsComeFromTheLibraryWithAGenericFallback) {
  HGLOBAL unused = CopyDib(nullptr);  // loads the library
  EXPECT_EQ(unused, nullptr);
  SetDllError(-2);
  EXPECT_EQ(LastDllError().text, "Could not open the file");
  SetDllError(-1);
  EXPECT_EQ(LastDllError().text, "Unknown error in Pictorel Dll");
  SetDllError(-200);  // no text for this code
  EXPECT_EQ(LastDllError().text, "Unknown error in Pictorel Dll");
  EXPECT_EQ(LastDllError().code, -200);
}

TEST_F(Bindings, OperationTextAndErrorsArePerThread) {
  OperationText() = "Reading page";
  SetDllError(-3);
  std::string seen;
  int16_t code = 99;
  std::thread worker([&] {
    seen = OperationText();
    code = LastDllError().code;
    OperationText() = "Writing elsewhere";
    SetDllError(-4);
  });
  worker.join();
  EXPECT_EQ(seen, "");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(OperationText(), "Reading page");
  EXPECT_EQ(LastDllError().code, -3);
}

TEST_F(Bindings, MessagesNeverShowOnTheWorkerThread) {
  std::thread worker([] { ShowPictorelMessage("from the worker"); });
  worker.join();
  EXPECT_TRUE(g_messages.empty());
  ShowPictorelMessage("from the user interface");
  EXPECT_EQ(g_messages.size(), 1u);
}

TEST_F(Bindings, ErrorInvalidClearsTheOperationText) {
  OperationText() = "Packing x";
  { ErrorInvalid e("boom"); }
  EXPECT_EQ(OperationText(), "");
}

TEST_F(Bindings, AnnotationsOfAViewerWithoutAnyAnswerNone) {
  EXPECT_EQ(DllIsAnnotation(this), 0);
  std::vector<char> block(15000, 'x');
  void* data = block.data();
  EXPECT_GT(DllStreamSaveAnnotation(this, 0, &data), 0);
  EXPECT_EQ(data, block.data()) << "the caller's block is written, never replaced";
  EXPECT_STREQ(block.data(), "Count=0\n");
  EXPECT_EQ(DllLoadAnnotation(this, 0, "c:\\nothing.ann"), 0);
  DllDestroyAnnotation(this);
  char* path = AnnoIniPath();
  EXPECT_NE(std::string(path).find("\\qm_anno.ini"), std::string::npos);
  delete[] path;
  EXPECT_EQ(ProcAddressError("QmIsAnnotation"),
            "Error. Could not get a procaddress for QmIsAnnotation. This could berelated to a dll "
            "name or version missmatch of CRDE2001.DLL");
}

TEST_F(Bindings, LoaderRefusesALibraryWithoutCrdeInItsName) {
  HMODULE library = nullptr;
  FARPROC proc = nullptr;
  EXPECT_FALSE(LoadDllProc(library, "ISP2000.DLL", "QmRotate", proc));
  EXPECT_EQ(library, nullptr);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0], "Wrong dll Name in DLL96V1");
  HMODULE none = nullptr;
  EXPECT_THROW(LoadDllProc(none, "CRDE_missing.DLL", "x", proc), ErrorInvalid);
  HMODULE sp = nullptr;
  EXPECT_FALSE(LoadSPProc(sp, "missing_isp.dll", "x", proc));
  EXPECT_EQ(g_messages.back(),
            "Can't load missing_isp.dll. Make sure its located in the application's searchpath.");
}

}  // namespace

namespace {

TEST_F(Bindings, AnExceptionInsideALibraryIsAPlainFailureOffTheUserInterfaceThread) {
  EXPECT_FALSE(GuardedDllCall([] { throw 1; }));
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0], pictorel_text::kDllException);
  bool result = true;
  std::thread worker([&] { result = GuardedDllCall([] { throw 2; }); });
  worker.join();
  EXPECT_FALSE(result);
  EXPECT_EQ(g_messages.size(), 1u);
}

}  // namespace
