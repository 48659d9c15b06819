// ZebAutoImage and ZebScale2Gray through pavlot.dll: the decision shown in its message box, the
// bilevel file of a text page, and gray pages from bilevel files; the caller's page only read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_box_operator.h"
#include "page_services_fixture.h"
#include "test_dibs.h"

namespace {

using AutoImageProc = int32_t(__stdcall*)(const void*, int32_t, const char*, const int16_t*);
using Scale2GrayProc = int32_t(__stdcall*)(const char*, int32_t, int32_t, const char*);
using OpenImageProc = int32_t(__stdcall*)(const char*, int32_t*, intptr_t, intptr_t);
using GetImageProc = int32_t(__stdcall*)(HGLOBAL*, ScanPageInfo*, intptr_t, intptr_t);
using CloseImageProc = int32_t(__stdcall*)();

// The same page as 24-bit colour, every pixel gray.
std::vector<uint8_t> GrayAsRgb(const std::vector<uint8_t>& gray) {
  const int width = int(testdibs::Le32(&gray[4])), height = int(testdibs::Le32(&gray[8]));
  const uint32_t stride = (uint32_t(width) + 3) / 4 * 4;
  const uint8_t* rows = &gray[40 + 1024];
  auto out = testdibs::Colour(width, height, [&](int x, int y) -> uint32_t {
    return rows[size_t(height - 1 - y) * stride + x] * 0x010101u;
  });
  testdibs::Put32(&out[24], testdibs::Le32(&gray[24]));
  testdibs::Put32(&out[28], testdibs::Le32(&gray[28]));
  return out;
}

class AutoImage : public PageServicesTest {
 protected:
  void Start(int pixelType, const std::string& ini = "[Feeder]\nSheets=1\n") {
    ASSERT_NO_FATAL_FAILURE(LoadOver(ini));
    ZebAutoImage = reinterpret_cast<AutoImageProc>(pavlot.Export("ZebAutoImage"));
    ZebScale2Gray = reinterpret_cast<Scale2GrayProc>(pavlot.Export("ZebScale2Gray"));
    ZebOpenImage = reinterpret_cast<OpenImageProc>(pavlot.Export("ZebOpenImage"));
    ZebGetImage = reinterpret_cast<GetImageProc>(pavlot.Export("ZebGetImage"));
    ZebCloseImage = reinterpret_cast<CloseImageProc>(pavlot.Export("ZebCloseImage"));
    ASSERT_TRUE(ZebAutoImage && ZebScale2Gray && ZebOpenImage && ZebGetImage && ZebCloseImage);
    ASSERT_NO_FATAL_FAILURE(StartScans(pixelType));
  }
  // The first page of a file as a DIB, read back through the plug-ins.
  std::vector<uint8_t> ReadBack(const std::string& file) {
    int32_t count = 0;
    if (ZebOpenImage(file.c_str(), &count, 0, 0) != 0) return {};
    HGLOBAL dib = nullptr;
    ScanPageInfo info{};
    ZebGetImage(&dib, &info, 0, 0);
    ZebCloseImage();
    std::vector<uint8_t> bytes = dib ? BytesOf(dib) : std::vector<uint8_t>{};
    FreeBlock(dib);
    return bytes;
  }

  AutoImageProc ZebAutoImage = nullptr;
  Scale2GrayProc ZebScale2Gray = nullptr;
  OpenImageProc ZebOpenImage = nullptr;
  GetImageProc ZebGetImage = nullptr;
  CloseImageProc ZebCloseImage = nullptr;
};

TEST_F(AutoImage, AColourPageOfTheScannerIsNotChanged) {
  Start(2);
  pages = ScanPages(pavlot);
  ASSERT_EQ(pages.size(), 1u);
  const std::string target = OutputFolder() + "colour_page.tif";
  DeleteFileA(target.c_str());
  const std::vector<uint8_t> before = BytesOf(pages[0]);
  const int16_t compression = 5;
  MessageBoxOperator op;
  EXPECT_EQ(ZebAutoImage(&pages[0], 1, target.c_str(), &compression), 0);
  const auto boxes = op.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "not change");
  EXPECT_GT(std::stod(boxes[0].caption), 1.0) << boxes[0].caption;
  EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(BytesOf(pages[0]), before);
}

TEST_F(AutoImage, AGrayPageInAnRgbDibIsSavedAsABilevelPageAtItsWidth) {
  Start(1);
  pages = ScanPages(pavlot);
  ASSERT_EQ(pages.size(), 1u);
  const std::string folder = OutputFolder();
  ASSERT_EQ(pavlot.ZebSaveAs(pages[0], (folder + "gray_page.tif").c_str(), 0, 0), 0);
  HGLOBAL rgb = BlockOf(GrayAsRgb(BytesOf(pages[0])));
  pages.push_back(rgb);
  const std::vector<uint8_t> before = BytesOf(rgb);
  const int16_t group4 = 5;
  MessageBoxOperator op;
  EXPECT_EQ(ZebAutoImage(&rgb, 1, (folder + "text_page.tif").c_str(), &group4), 0);
  // From a file, the same decision; a small red stamp (under 1 %) keeps the file in colour.
  std::vector<uint8_t> stamped = before;
  for (int y = 100; y < 180; ++y)
    for (int x = 2000; x < 2100; ++x) {
      uint8_t* p = &stamped[40 + size_t(y) * ((2550 * 3 + 3) / 4 * 4) + 3 * x];
      p[0] = 0x20, p[1] = 0x20, p[2] = 0xE0;
    }
  HGLOBAL stampedPage = BlockOf(stamped);
  pages.push_back(stampedPage);
  ASSERT_EQ(pavlot.ZebSaveAs(stampedPage, (folder + "rgb_page.tif").c_str(), 0, 0), 0);
  EXPECT_EQ(ZebAutoImage((folder + "rgb_page.tif").c_str(), 2, (folder + "text_from_file.tif").c_str(),
                         &group4), 0);
  const auto boxes = op.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& b : boxes) EXPECT_EQ(b.text, "text image");
  EXPECT_EQ(boxes[0].caption, "0.000");
  EXPECT_EQ(boxes[1].caption, "0.095");  // 8000 of 8 415 000 pixels
  EXPECT_EQ(BytesOf(rgb), before);
  const std::vector<uint8_t> saved = ReadBack(folder + "text_page.tif");
  ASSERT_GE(saved.size(), 48u);
  EXPECT_EQ(testdibs::Le32(&saved[4]), 2550u);
  EXPECT_EQ(saved[14], 1);
  const std::vector<uint8_t> fromFile = ReadBack(folder + "text_from_file.tif");
  ASSERT_GE(fromFile.size(), 48u);
  EXPECT_EQ(testdibs::Le32(&fromFile[4]), 2550u);
  EXPECT_EQ(fromFile[14], 1);
}

TEST_F(AutoImage, RefusesPagesAndTargetsItCannotServe) {
  Start(0);
  HGLOBAL gray = BlockOf(testdibs::Gray(64, 64, [](int, int) { return 200; }));
  HGLOBAL colour = BlockOf(testdibs::Colour(64, 64, [](int, int) -> uint32_t { return 0xFFFFFF; }));
  pages = {gray, colour};
  MessageBoxOperator op;
  const int16_t none = 0;
  EXPECT_EQ(ZebAutoImage(&gray, 1, (OutputFolder() + "x.tif").c_str(), &none), -29);
  EXPECT_EQ(ZebAutoImage(&colour, 1, (OutputFolder() + "x.xyz").c_str(), &none), -24);
  EXPECT_EQ(ZebAutoImage((OutputFolder() + "x.xyz").c_str(), 2, nullptr, &none), -4);
  EXPECT_EQ(ZebAutoImage((OutputFolder() + "missing.tif").c_str(), 2, nullptr, &none), 0);
  EXPECT_TRUE(op.Boxes().empty());
  // No target: the decision only.
  EXPECT_EQ(ZebAutoImage(&colour, 1, nullptr, nullptr), 0);
  ASSERT_EQ(op.Boxes().size(), 1u);
  EXPECT_EQ(op.Boxes()[0].text, "text image");
}

TEST_F(AutoImage, Scale2GrayMakesGrayPagesWithWhitePaper) {
  Start(0);
  pages = ScanPages(pavlot);
  ASSERT_EQ(pages.size(), 1u);
  const std::string folder = OutputFolder();
  const std::string bw = folder + "bw_page.tif", gray = folder + "gray_of_bw.tif";
  ASSERT_EQ(pavlot.ZebSaveAs(pages[0], bw.c_str(), 0, 0), 0);
  EXPECT_EQ(ZebScale2Gray(bw.c_str(), 1, 0, gray.c_str()), -7);
  EXPECT_EQ(ZebScale2Gray(bw.c_str(), 3, 0, gray.c_str()), -4);
  EXPECT_EQ(ZebScale2Gray((folder + "gray_page.tif").c_str(), 2, 0, gray.c_str()), -29);
  ASSERT_EQ(ZebScale2Gray(bw.c_str(), 2, 0, gray.c_str()), 0);
  const std::vector<uint8_t> dib = ReadBack(gray);
  ASSERT_GE(dib.size(), 1064u);
  EXPECT_EQ(dib[14], 8);
  const uint32_t width = testdibs::Le32(&dib[4]), height = testdibs::Le32(&dib[8]);
  EXPECT_EQ(width, 2550u);
  // The top margin of the page (stored last) is paper.
  const uint32_t stride = (width + 3) / 4 * 4;
  const uint8_t* top = &dib[dib.size() - stride];
  for (uint32_t x = 0; x < width; x += 50) EXPECT_GE(top[x], 250) << x;
  (void)height;
  // Without a target nothing is kept: many calls hold no more memory.
  ASSERT_EQ(ZebScale2Gray(bw.c_str(), 2, 0, nullptr), 0);
  const uint64_t before = HeapBusyBytes();
  for (int i = 0; i < 10; ++i) ASSERT_EQ(ZebScale2Gray(bw.c_str(), 2, 0, nullptr), 0);
  EXPECT_LT(HeapBusyBytes(), before + 8 * 1024 * 1024);
}

}  // namespace
