// The host with the real plug-ins of bin/ (FileTiff.dll, FilePdf.dll): a page DIB saved and read
// back. Skipped while those plug-ins are not built.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "plugin_case.h"

namespace {

constexpr int kWidth = 16, kHeight = 8;

// An 8-bit gray page DIB with a different value in every pixel.
HGLOBAL GrayDib() {
  const size_t header = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header + kWidth * kHeight);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  auto* h = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = kWidth;
  h->biHeight = kHeight;
  h->biPlanes = 1;
  h->biBitCount = 8;
  h->biSizeImage = kWidth * kHeight;
  h->biXPelsPerMeter = h->biYPelsPerMeter = 11811;
  h->biClrUsed = h->biClrImportant = 256;
  auto* palette = reinterpret_cast<RGBQUAD*>(bytes + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  for (int i = 0; i < kWidth * kHeight; ++i) bytes[header + i] = static_cast<unsigned char>(i * 2);
  GlobalUnlock(block);
  return block;
}

std::vector<unsigned char> Pixels(HGLOBAL dib, BITMAPINFOHEADER* header) {
  const auto* bytes = static_cast<const unsigned char*>(GlobalLock(dib));
  std::memcpy(header, bytes, sizeof *header);
  size_t colours = header->biClrUsed ? header->biClrUsed : (header->biBitCount <= 8 ? 1u << header->biBitCount : 0);
  const size_t offset = header->biSize + colours * sizeof(RGBQUAD);
  const size_t stride = ((header->biWidth * header->biBitCount + 31) / 32) * 4;
  std::vector<unsigned char> pixels(bytes + offset, bytes + offset + stride * std::abs(header->biHeight));
  GlobalUnlock(dib);
  return pixels;
}

std::string FileStart(const std::string& path, size_t n) {
  std::ifstream in(path, std::ios::binary);
  std::string text(n, '\0');
  in.read(&text[0], static_cast<std::streamsize>(n));
  return in ? text : "";
}

using RealPlugins = PluginCase;

TEST_F(RealPlugins, APageSavedAsTiffReadsBackAndConvertsToPdf) {
  if (!ProvideFromBin("FileTiff.dll") || !ProvideFromBin("FilePdf.dll"))
    GTEST_SKIP() << "FileTiff.dll and FilePdf.dll are not built";
  Start();
  HGLOBAL page = GrayDib();
  const std::string tif = caseFolder + "page.TIF";
  ASSERT_EQ(pavlot.ZebSaveAs(page, tif.c_str(), 0, 0), 0);
  EXPECT_EQ(FileStart(tif, 2), "II");

  int32_t pages = 0;
  ASSERT_EQ(pavlot.ZebOpenImage(tif.c_str(), &pages, 0, 0), 0);
  EXPECT_EQ(pages, 1);
  ASSERT_EQ(pavlot.ZebSetPageIndex(0, 0), 0);
  HGLOBAL read = nullptr;
  ASSERT_EQ(pavlot.ZebGetImage(&read, nullptr, 0, 0), 0);
  ASSERT_NE(read, nullptr);
  BITMAPINFOHEADER original{}, back{};
  const std::vector<unsigned char> want = Pixels(page, &original);
  const std::vector<unsigned char> got = Pixels(read, &back);
  EXPECT_EQ(back.biWidth, kWidth);
  EXPECT_EQ(back.biHeight, kHeight);  // bottom-up, as page DIBs are
  EXPECT_EQ(back.biBitCount, 8);
  EXPECT_EQ(got, want);
  GlobalFree(read);
  EXPECT_EQ(pavlot.ZebCloseImage(), 0);

  const std::string pdf = caseFolder + "page.pdf";
  ASSERT_EQ(pavlot.ZebConvertFile(pdf.c_str(), tif.c_str(), 0, 0, 0, 0), 0);
  EXPECT_EQ(FileStart(pdf, 5), "%PDF-");
  // The PDF plug-in writes only: reading a PDF has no entry point to go to.
  EXPECT_EQ(pavlot.ZebOpenImage(pdf.c_str(), &pages, 0, 0), -7);
  ASSERT_EQ(pavlot.ZebSaveAs(page, (caseFolder + "direct.pdf").c_str(), 0, 0), 0);
  EXPECT_EQ(FileStart(caseFolder + "direct.pdf", 5), "%PDF-");
  GlobalFree(page);
}

}  // namespace
