// Tarnwick.exe opening batch folders of growing size: folders of 100, 1,000 and 5,000 page files
// (black-and-white G4 TIFF and colour JPEG, A4, made once under the work folder and kept for the
// next run; the pages repeat every ten, hard links to ten files) opened from the command line, as
// a page file's folder. For each it gives the time from the start to the first thumbnail in the
// strip, to the whole strip filled (the window answering again), the program's memory then, and
// the time of a step to the previous and the next page after stepping to the last, with how each
// grew from the smallest batch (the growth over the growth in pages: 1.00 is linear).
//
//   batch_size [--sizes 100,1000,5000] [--runs N] [--only bw|colour] [--work FOLDER]
//              [--program Tarnwick.exe]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <tiffio.h>

#include "bench_table.h"
#include "sim_scanner.h"
#include "tarnwick_process.h"
#include "win_driver.h"

using namespace benchprogram;

namespace {

constexpr int kFirstPage = 40702, kPriorPage = 40703, kNextPage = 40704, kLastPage = 40705;
constexpr int kDistinctPages = 10, kDpi = 300;

struct BatchKind {
  const char* name;
  zebsim::PixelKind pixel;
  const char* ext;
};
const BatchKind kKinds[] = {{"bw", zebsim::PixelKind::BlackWhite, "tif"},
                            {"colour", zebsim::PixelKind::Color, "jpg"}};

struct Options {
  std::vector<int> sizes = {100, 1000, 5000};
  int runs = 3;
  std::string only, work = "bench_work", program = "Tarnwick.exe";
};

std::vector<int> IntList(const std::string& v) {
  std::vector<int> out;
  for (const char* p = v.c_str(); *p;) {
    out.push_back(std::atoi(p));
    while (*p && *p != ',') ++p;
    if (*p == ',') ++p;
  }
  return out;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  if (argc % 2 == 0) return std::fprintf(stderr, "%s needs a value\n", argv[argc - 1]), false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i], v = argv[i + 1];
    if (a == "--sizes") o->sizes = IntList(v);
    else if (a == "--runs") o->runs = std::atoi(v.c_str());
    else if (a == "--only") o->only = v;
    else if (a == "--work") o->work = v;
    else if (a == "--program") o->program = v;
    else return std::fprintf(stderr, "unknown option %s\n", a.c_str()), false;
  }
  std::sort(o->sizes.begin(), o->sizes.end());
  return o->runs > 0 && !o->sizes.empty() && o->sizes.front() > 0;
}

zebsim::PageFormat FormatOf(const BatchKind& k) {
  zebsim::PageFormat f;
  f.kind = k.pixel;
  f.xResolution = f.yResolution = kDpi;
  f.paper = zebsim::Paper::A4;
  return f;
}

bool WriteG4(const zebsim::PageFormat& format, int page, const std::string& file) {
  const zebsim::PageGeometry g = zebsim::GeometryOf(format);
  std::vector<uint8_t> rows = zebsim::RenderPage(format, page);
  TIFF* tif = TIFFOpen(file.c_str(), "w");
  if (!tif) return false;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(g.width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(g.length));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);  // a set bit is white
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(g.length));
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(kDpi));
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(kDpi));
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  const bool ok = TIFFWriteEncodedStrip(tif, 0, rows.data(), tmsize_t(rows.size())) >= 0;
  TIFFClose(tif);
  return ok;
}

bool WriteJpeg(const zebsim::PageFormat& format, int page, const std::string& file) {
  const zebsim::PageGeometry g = zebsim::GeometryOf(format);
  std::vector<uint8_t> rows = zebsim::RenderPage(format, page);
  FILE* f = std::fopen(file.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = JDIMENSION(g.width);
  c.image_height = JDIMENSION(g.length);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 75, TRUE);
  c.density_unit = 1;
  c.X_density = c.Y_density = kDpi;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = rows.data() + size_t(c.next_scanline) * g.bytesPerRow;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(f) == 0;
}

std::string PageName(const std::string& folder, int n, const char* ext) {
  char name[32];
  std::snprintf(name, sizeof name, "\\%06d.%s", n, ext);
  return folder + name;
}

// The batch folder of `size` pages, made when its mark is missing.
std::string BatchOf(const Options& o, const BatchKind& k, int size) {
  const std::string root = o.work + "\\batches", pages = root + "\\" + k.name + "-pages";
  const std::string folder = root + "\\" + k.name + "-" + std::to_string(size), mark = folder + ".made";
  if (GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(pages.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  std::fprintf(stderr, "making the %s batch of %d pages\n", k.name, size);
  for (int p = 1; p <= kDistinctPages; ++p) {
    const std::string file = PageName(pages, p, k.ext);
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    const bool ok = k.pixel == zebsim::PixelKind::Color ? WriteJpeg(FormatOf(k), p, file)
                                                        : WriteG4(FormatOf(k), p, file);
    if (!ok) return std::fprintf(stderr, "cannot write %s\n", file.c_str()), std::string();
  }
  for (int n = 1; n <= size; ++n) {
    const std::string from = PageName(pages, (n - 1) % kDistinctPages + 1, k.ext), to = PageName(folder, n, k.ext);
    if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
    if (!CreateHardLinkA(to.c_str(), from.c_str(), nullptr) && !CopyFileA(from.c_str(), to.c_str(), TRUE))
      return std::fprintf(stderr, "cannot make %s\n", to.c_str()), std::string();
  }
  FILE* f = std::fopen(mark.c_str(), "w");
  if (f) std::fclose(f);
  return folder;
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int CountDescendants(HWND top) {
  int n = 0;
  EnumChildWindows(top, CountOne, reinterpret_cast<LPARAM>(&n));
  return n;
}

// The windows of the main window with no batch open: the count a first thumbnail adds to.
int BaselineWindows(const Options& o) {
  TarnwickProcess p;
  if (!StartTarnwick(o.program, "", &p)) return -1;
  WaitIdle(p.main, 60000);
  const int n = CountDescendants(p.main);
  CloseTarnwick(&p);
  return n;
}

double TimedCommand(HWND main, int command) {
  const double start = WallMs();
  DWORD_PTR answer;
  if (!SendMessageTimeoutW(main, WM_COMMAND, command, 0, SMTO_NORMAL, 120000, &answer)) return -1;
  return WallMs() - start;
}

struct OpenRun {
  double firstMs = -1, filledMs = -1, residentMb = -1, priorMs = -1, nextMs = -1;
  std::string why;
};

OpenRun OpenBatch(const Options& o, const std::string& folder, const BatchKind& k, int baseline) {
  OpenRun r;
  const std::string scans = o.work + "\\batches\\scans";
  CreateDirectoryA(scans.c_str(), nullptr);
  WriteTarnwickSettings(scans, "FitToPage=1\r\nThumnailShow=0\r\n");
  TarnwickProcess p;
  if (!StartTarnwick(o.program, PageName(folder, 1, k.ext), &p)) return r.why = "the program did not start", r;
  // The strip is filled during the window's first show: its thumbnails appear while the window
  // does not answer yet.
  double first = -1;
  DWORD_PTR answer;
  for (;;) {
    if (first < 0 && CountDescendants(p.main) >= baseline + 2) first = WallMs();
    if (SendMessageTimeoutW(p.main, WM_NULL, 0, 0, SMTO_NORMAL, 1, &answer)) break;
    if (WallMs() - p.startedMs > 900000) return CloseTarnwick(&p), r.why = "the window does not answer", r;
  }
  const double filled = WallMs();
  if (first < 0 && CountDescendants(p.main) >= baseline + 2) first = filled;
  r.firstMs = first < 0 ? -1 : first - p.startedMs;
  r.filledMs = filled - p.startedMs;
  r.residentMb = MemoryOf(p.process.hProcess).residentMb;
  TimedCommand(p.main, kFirstPage);
  TimedCommand(p.main, kLastPage);
  std::vector<double> prior, next;
  for (int i = 0; i < 3; ++i) {
    prior.push_back(TimedCommand(p.main, kPriorPage));
    next.push_back(TimedCommand(p.main, kNextPage));
  }
  r.priorMs = Median(prior);
  r.nextMs = Median(next);
  if (CloseTarnwick(&p) != 0) r.why = "the program did not end well";
  if (r.firstMs < 0) r.why = "no thumbnail appeared";
  return r;
}

std::string Growth(double value, double base, int size, int baseSize) {
  if (value <= 0 || base <= 0 || size == baseSize) return "";
  char s[32];
  std::snprintf(s, sizeof s, "%.2f", (value / base) / (double(size) / baseSize));
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) return 2;
  CreateDirectoryA(o.work.c_str(), nullptr);
  const int baseline = BaselineWindows(o);
  if (baseline < 0) return 1;
  struct Figures {
    std::vector<double> first, filled, resident, prior, next;
    std::string why;
  };
  std::map<std::pair<const BatchKind*, int>, Figures> figures;
  std::vector<std::pair<const BatchKind*, std::string>> folders;
  for (const BatchKind& k : kKinds)
    if (o.only.empty() || o.only == k.name)
      for (int size : o.sizes) {
        const std::string folder = BatchOf(o, k, size);
        if (folder.empty()) return 1;
      }
  for (int run = 1; run <= o.runs; ++run) {
    std::fprintf(stderr, "run %d of %d\n", run, o.runs);
    for (const BatchKind& k : kKinds) {
      if (!o.only.empty() && o.only != k.name) continue;
      for (int size : o.sizes) {
        const OpenRun r = OpenBatch(o, BatchOf(o, k, size), k, baseline);
        Figures& f = figures[{&k, size}];
        f.first.push_back(r.firstMs);
        f.filled.push_back(r.filledMs);
        f.resident.push_back(r.residentMb);
        f.prior.push_back(r.priorMs);
        f.next.push_back(r.nextMs);
        if (!r.why.empty()) f.why = r.why;
        std::fprintf(stderr, "  %s %d: first %.0f ms, filled %.0f ms, %.0f MB\n", k.name, size, r.firstMs,
                     r.filledMs, r.residentMb);
      }
    }
  }
  std::printf("Tarnwick opening a batch folder from its command line: A4 pages at %d dpi, medians of %d runs\n\n",
              kDpi, o.runs);
  std::printf("| pages | files | first thumbnail ms | strip filled ms | resident MB | prior page ms | "
              "next page ms | growth of filled | growth of memory |\n"
              "|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  bool failed = false;
  for (const BatchKind& k : kKinds) {
    if (!o.only.empty() && o.only != k.name) continue;
    const Figures& base = figures[{&k, o.sizes.front()}];
    for (int size : o.sizes) {
      const Figures& f = figures[{&k, size}];
      if (!f.why.empty()) failed = true;
      const double mem = Median(f.resident), baseMem = Median(base.resident);
      std::printf("| %s %s | %d | %.0f | %.0f | %.0f | %.1f | %.1f | %s | %s |%s%s\n",
                  k.pixel == zebsim::PixelKind::Color ? "colour" : "B/W", k.ext, size, Median(f.first),
                  Median(f.filled), mem, Median(f.prior), Median(f.next),
                  Growth(Median(f.filled), Median(base.filled), size, o.sizes.front()).c_str(),
                  Growth(mem, baseMem, size, o.sizes.front()).c_str(), f.why.empty() ? "" : " ",
                  f.why.c_str());
    }
  }
  std::printf("\ngrowth: how much more a figure is than for %d pages, over how many more pages "
              "(1.00: linear; below 1: slower than the batch grows)\n", o.sizes.front());
  return failed ? 1 : 0;
}
