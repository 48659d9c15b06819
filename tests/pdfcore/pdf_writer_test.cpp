// The PDF writer's documents are checked by readers nobody here wrote: qpdf, pdfinfo, pdftoppm.
#include "pdf_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/tarnwick-pdf-" + std::to_string(::getpid()) + "-" + name;
}

std::string RunTool(const std::string& cmd, int* status = nullptr) {
  std::string out;
  FILE* p = ::popen((cmd + " 2>&1").c_str(), "r");
  if (!p) return out;
  char buf[512];
  while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  int rc = ::pclose(p);
  if (status) *status = rc;
  return out;
}

// A page with a frame, a filled block in the top left corner and stripes, so orientation and
// colour are visible.
struct TestPage {
  int width, height, bpp;
  std::vector<uint8_t> pixels;
  size_t stride;
  // Expected gray value (0 black .. 255 white) at x, y.
  int Gray(int x, int y) const {
    bool ink = x < width / 4 && y < height / 4;
    ink = ink || (y % 16 < 4);
    return ink ? 0 : 255;
  }
};

TestPage MakePage(int width, int height, int bpp) {
  TestPage p{width, height, bpp, {}, 0};
  p.stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;  // DIB rows: 4-byte multiples
  p.pixels.assign(p.stride * height, 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = p.pixels.data() + static_cast<size_t>(height - 1 - y) * p.stride;  // bottom-up
    for (int x = 0; x < width; ++x) {
      int g = p.Gray(x, y);
      if (bpp == 1) {
        if (g == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      } else if (bpp == 8) {
        row[x] = static_cast<uint8_t>(g);
      } else {
        // Ink is pure red in colour pages: B, G, R = 0, 0, 255 is not black, so use dark blue.
        row[3 * x] = static_cast<uint8_t>(g == 0 ? 160 : 255);
        row[3 * x + 1] = static_cast<uint8_t>(g);
        row[3 * x + 2] = static_cast<uint8_t>(g);
      }
    }
  }
  return p;
}

PdfPageImage ImageOf(const TestPage& p, double dpi) {
  PdfPageImage img;
  img.width = p.width;
  img.height = p.height;
  img.bitsPerPixel = p.bpp;
  img.pixels = p.pixels.data();
  img.stride = p.stride;
  img.bottomUp = true;
  img.xDpi = img.yDpi = dpi;
  return img;
}

// Reads a binary PGM written by pdftoppm -gray.
bool ReadPgm(const std::string& path, int* w, int* h, std::vector<uint8_t>* data) {
  std::ifstream f(path, std::ios::binary);
  std::string magic;
  int maxval = 0;
  f >> magic >> *w >> *h >> maxval;
  f.get();
  if (magic != "P5" || maxval != 255) return false;
  data->resize(static_cast<size_t>(*w) * *h);
  f.read(reinterpret_cast<char*>(data->data()), static_cast<std::streamsize>(data->size()));
  return static_cast<size_t>(f.gcount()) == data->size();
}

// Renders page n at the page's own resolution and counts pixels that differ from the expectation.
int CountWrongPixels(const std::string& pdf, int page, const TestPage& p, int dpi) {
  std::string base = TempPath("render");
  RunTool("pdftoppm -gray -f " + std::to_string(page) + " -l " + std::to_string(page) + " -r " +
      std::to_string(dpi) + " -singlefile '" + pdf + "' '" + base + "'");
  int w = 0, h = 0;
  std::vector<uint8_t> gray;
  if (!ReadPgm(base + ".pgm", &w, &h, &gray) || w != p.width || h != p.height) return -1;
  std::remove((base + ".pgm").c_str());
  // The renderer resamples the image box by up to a row, leaving blended values at ink edges,
  // so each pixel is read as ink or paper and counts as wrong only when no expected pixel next
  // to it is the same.
  const int ink = p.bpp == 24 ? 18 : 0;  // dark blue renders as 0.114 x 160
  auto inkAt = [&](int x, int y) { return p.Gray(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1)) == 0; };
  int wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int got = gray[static_cast<size_t>(y) * w + x];
      bool dark = got < (ink + 255) / 2;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) near = dark == inkAt(x + dx, y + dy);
      if (!near) ++wrong;
    }
  return wrong;
}

TEST(PdfWriter, PagesOfEveryKindPassQpdfAndRenderAsWritten) {
  const std::string pdf = TempPath("kinds.pdf");
  TestPage bw = MakePage(850, 1100, 1);  // 8.5 x 11 in at 100 dpi
  TestPage odd = MakePage(203, 97, 1);   // width that does not fill whole bytes
  TestPage gray = MakePage(400, 300, 8);
  TestPage colour = MakePage(320, 240, 24);
  std::string error;
  ASSERT_TRUE(WritePdfFile(pdf, {ImageOf(bw, 100), ImageOf(odd, 200), ImageOf(gray, 150), ImageOf(colour, 96)},
                           PdfCompression::Auto, &error))
      << error;

  int status = 0;
  std::string check = RunTool("qpdf --check '" + pdf + "'", &status);
  EXPECT_EQ(status, 0) << check;
  std::string info = RunTool("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;

  EXPECT_EQ(CountWrongPixels(pdf, 1, bw, 100), 0) << "black ink must render black, white white";
  EXPECT_EQ(CountWrongPixels(pdf, 2, odd, 200), 0);
  EXPECT_EQ(CountWrongPixels(pdf, 3, gray, 150), 0);
  EXPECT_EQ(CountWrongPixels(pdf, 4, colour, 96), 0);
  if (!std::getenv("KEEP_PDF")) std::remove(pdf.c_str());
}

TEST(PdfWriter, StreamsUseTheAskedFilters) {
  TestPage colour = MakePage(64, 48, 24);
  TestPage bw = MakePage(64, 48, 1);
  struct Case { const TestPage* page; PdfCompression c; const char* filter; } cases[] = {
      {&bw, PdfCompression::Auto, "/CCITTFaxDecode"}, {&bw, PdfCompression::Flate, "/FlateDecode"},
      {&colour, PdfCompression::Auto, "/DCTDecode"}, {&colour, PdfCompression::Flate, "/FlateDecode"},
      {&bw, PdfCompression::Jpeg, "/CCITTFaxDecode"},  // DCT makes no sense for 1-bit pages
  };
  for (const auto& c : cases) {
    std::string out;
    PdfWriter w(PdfSink{&out, [](void* ctx, const void* d, size_t n) {
                          static_cast<std::string*>(ctx)->append(static_cast<const char*>(d), n);
                          return true;
                        }});
    ASSERT_TRUE(w.AddPage(ImageOf(*c.page, 72), c.c));
    ASSERT_TRUE(w.Finish());
    EXPECT_NE(out.find(c.filter), std::string::npos) << c.filter;
    EXPECT_EQ(out.rfind("%%EOF\n"), out.size() - 6);
  }
}

TEST(PdfWriter, RefusesWhatItCannotWrite) {
  TestPage gray = MakePage(10, 10, 8);
  PdfPageImage bad = ImageOf(gray, 72);
  bad.bitsPerPixel = 4;
  std::string out;
  auto sink = PdfSink{&out, [](void* ctx, const void* d, size_t n) {
                        static_cast<std::string*>(ctx)->append(static_cast<const char*>(d), n);
                        return true;
                      }};
  PdfWriter w(sink);
  EXPECT_FALSE(w.AddPage(bad));
  EXPECT_FALSE(w.Error().empty());

  PdfWriter empty(sink);
  EXPECT_FALSE(empty.Finish()) << "a document without pages is not a PDF";

  PdfPageImage shortStride = ImageOf(gray, 72);
  shortStride.stride = 5;
  PdfWriter w2(sink);
  EXPECT_FALSE(w2.AddPage(shortStride));

  PdfWriter failing(PdfSink{nullptr, [](void*, const void*, size_t) { return false; }});
  EXPECT_FALSE(failing.AddPage(ImageOf(gray, 72)));
  EXPECT_EQ(failing.Error(), "could not write the PDF file");
}

// A page the file did not take whole is taken out again: the writer goes on from the end of the
// page before, and the document it finishes holds the pages before and after, nothing of it.
// Taking out the first page leaves a document that still takes pages.
TEST(PdfWriter, TheLastPageTakenOutLeavesADocumentOfTheOthers) {
  const TestPage pages[] = {MakePage(40, 30, 8), MakePage(48, 20, 1), MakePage(32, 32, 24)};
  std::string out;
  auto sink = PdfSink{&out, [](void* ctx, const void* d, size_t n) {
                        static_cast<std::string*>(ctx)->append(static_cast<const char*>(d), n);
                        return true;
                      }};
  PdfWriter w(sink);
  ASSERT_TRUE(w.AddPage(ImageOf(pages[1], 72)));
  ASSERT_TRUE(w.DropLastPage());
  EXPECT_EQ(w.PageCount(), 0);
  out.resize(w.LastPageEnd());
  ASSERT_TRUE(w.AddPage(ImageOf(pages[0], 72)));
  ASSERT_TRUE(w.AddPage(ImageOf(pages[1], 72)));
  EXPECT_GT(w.EndBytesAtMost(), 0u);
  ASSERT_TRUE(w.DropLastPage());
  EXPECT_FALSE(w.DropLastPage()) << "only the latest page can be taken out";
  out.resize(w.LastPageEnd());
  ASSERT_TRUE(w.AddPage(ImageOf(pages[2], 72)));
  const size_t before = out.size();
  ASSERT_TRUE(w.Finish());
  EXPECT_LE(out.size() - before, w.EndBytesAtMost());
  const std::string path = TempPath("dropped.pdf");
  { std::ofstream(path, std::ios::binary) << out; }
  int status = 0;
  RunTool("qpdf --check " + path, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(RunTool("pdfinfo " + path).find("Pages:           2"), std::string::npos);
  EXPECT_EQ(CountWrongPixels(path, 1, pages[0], 72), 0);
  EXPECT_EQ(CountWrongPixels(path, 2, pages[2], 72), 0);
}

}  // namespace

