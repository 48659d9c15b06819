// The program's scan road: Tarnwick.exe started on the simulated maker's scanner and driven
// through its windows as an operator drives it (Scan pressed, the prepare-scanner dialog awaited,
// Stop), scanning A4 pages from the feeder with the page shown and thumbnailed as an operator has
// them, against the library's own path for the same pages in the same run (pavlot.dll driven by
// this process, timed around ZebAcquire). For each case it gives pages per minute from the press
// of Scan to the prepare-scanner dialog, the ratio to the library, how long the program took from
// the press to the first sheet, and the save lag: from the scanner's last sheet to the moment the
// last file was complete (its last write). Figures are medians of the runs; the program's run and
// the library's alternate.
//
//   scan_road [--pages N] [--runs N] [--dpis 200,300] [--only TEXT] [--work FOLDER]
//             [--program Tarnwick.exe]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench_paths.h"
#include "bench_table.h"
#include "tarnwick_process.h"
#include "win_driver.h"

using namespace benchprogram;

namespace {

constexpr int kScanPageCommand = 40108;
constexpr int kStopButton = 2, kSaveNameEdit = 1148;
const char* const kPdfSaveTitle = "\xe5\x82\xa8\xe5\xad\x98\xe6\x88\x90 PDF \xe6\xa1\xa3\xe6\xa1\x88\xe6\xa0\xbc\xe5\xbc\x8f";

struct RoadCase {
  const char* name;
  int imageType;      // "Image Type"
  int saveFormat;     // "Save Format"
  const char* ext;    // the page files' extension; null for the one PDF document
  const char* library;  // the library path of the same pages
};

const RoadCase kCases[] = {
    {"B/W -> G4 TIFF files", 0, 9, "tif", "B/W -> G4 TIFF files"},
    {"gray -> JPEG files", 1, 4, "jpg", "gray -> JPEG files"},
    {"colour -> JPEG files", 2, 4, "jpg", "colour -> JPEG files"},
    {"B/W -> PDF", 0, 11, nullptr, "B/W -> PDF"},
};

struct Options {
  int pages = 50, runs = 3;
  std::vector<int> dpis = {200, 300};
  std::string only, work = "bench_work", program = "Tarnwick.exe";
};

bool ParseOptions(int argc, char** argv, Options* o) {
  if (argc % 2 == 0) return std::fprintf(stderr, "%s needs a value\n", argv[argc - 1]), false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i], v = argv[i + 1];
    if (a == "--pages") o->pages = std::atoi(v.c_str());
    else if (a == "--runs") o->runs = std::atoi(v.c_str());
    else if (a == "--only") o->only = v;
    else if (a == "--work") o->work = v;
    else if (a == "--program") o->program = v;
    else if (a == "--dpis") {
      o->dpis.clear();
      for (const char* p = v.c_str(); *p;) {
        o->dpis.push_back(std::atoi(p));
        while (*p && *p != ',') ++p;
        if (*p == ',') ++p;
      }
    } else return std::fprintf(stderr, "unknown option %s\n", a.c_str()), false;
  }
  return o->pages > 0 && o->runs > 0 && !o->dpis.empty();
}

int ResolutionIndex(int dpi) {
  const int table[] = {100, 150, 200, 250, 300, 350, 400, 450, 500, 600, 1200};
  for (int i = 0; i < 11; ++i)
    if (table[i] == dpi) return i;
  return -1;
}

std::vector<double> SheetTimes(const std::string& file) {
  std::vector<double> t;
  std::ifstream in(file);
  int page;
  long long us;
  while (in >> page >> us) t.push_back(double(us) / 1000.0);
  return t;
}

void EmptyFolderTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      EmptyFolderTree(path);
      RemoveDirectoryA(path.c_str());
    } else {
      DeleteFileA(path.c_str());
    }
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

// The one batch folder a scan made under `root`.
std::string BatchFolder(const std::string& root) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((root + "\\*").c_str(), &found);
  std::string folder;
  if (h == INVALID_HANDLE_VALUE) return folder;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
      folder = root + "\\" + found.cFileName;
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return folder;
}

struct RoadRun {
  double scanMs = -1;       // Scan pressed to the prepare-scanner dialog
  double firstSheetMs = -1;  // Scan pressed to the scanner's first sheet
  double lagMs = -1;        // the last sheet to the last file's last write
  double residentMb = -1;
  std::string why;
};

RoadRun RunProgram(const Options& o, const RoadCase& c, int dpi) {
  RoadRun r;
  const std::string root = o.work + "\\road", scans = root + "\\scans", times = root + "\\sheets.txt",
                    document = root + "\\doc";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(scans.c_str(), nullptr);
  EmptyFolderTree(scans);
  DeleteFileA(times.c_str());
  DeleteFileA((document + ".pdf").c_str());
  char lines[512];
  std::snprintf(lines, sizeof lines,
                "Image Type=%d\r\nResolution=%d\r\nScan Method=0\r\nSave Format=%d\r\nSize=0\r\n"
                "FitToPage=1\r\nThumnailShow=0\r\nDuplex=0\r\nJpeg Qualty=24\r\n",
                c.imageType, ResolutionIndex(dpi), c.saveFormat);
  if (!WriteTarnwickSettings(scans, lines) ||
      !WriteSimSettings(root + "\\zebsim.ini", "[Feeder]\r\nSheets=" + std::to_string(o.pages) +
                                                   "\r\nPaper=A4\r\nTimes=" + times + "\r\n")) {
    r.why = "settings not written";
    return r;
  }
  TarnwickProcess p;
  if (!StartTarnwick(o.program, "", &p)) {
    r.why = "the program did not start";
    return r;
  }
  WaitIdle(p.main, 30000);
  double pressed = WallMs();
  windriver::PostCommand(p.main, kScanPageCommand);
  if (!c.ext) {
    HWND save = WaitWindow("#32770", kPdfSaveTitle, 30000);
    if (!save) {
      r.why = "no save dialog";
      CloseTarnwick(&p);
      return r;
    }
    HWND edit = windriver::FindControl(save, kSaveNameEdit);
    const std::wstring name = windriver::Wide(document);
    if (edit) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    pressed = WallMs();  // the operator's time in the dialog is not the program's
    windriver::PostCommand(save, IDOK);
  }
  HWND prepare = WaitWindow("#32770", kPrepareTitle, 600000);
  const double shown = WallMs();
  if (!prepare) {
    r.why = "no prepare-scanner dialog";
    CloseTarnwick(&p);
    return r;
  }
  windriver::ClickButton(prepare, kStopButton);
  std::string last;
  if (c.ext) {
    char name[32];
    std::snprintf(name, sizeof name, "\\%06d.%s", o.pages, c.ext);
    last = BatchFolder(scans) + name;
  } else {
    last = document + ".pdf";
  }
  // The document is finished after Stop; the program is done with the batch once its window
  // answers again and the file is there.
  const DWORD waitStart = GetTickCount();
  while (FileWrittenMs(last) < 0 && GetTickCount() - waitStart < 120000) Sleep(1);
  WaitIdle(p.main, 60000);
  r.residentMb = MemoryOf(p.process.hProcess).residentMb;
  const DWORD exitCode = CloseTarnwick(&p);
  const std::vector<double> sheets = SheetTimes(times);
  const double written = FileWrittenMs(last);
  if (int(sheets.size()) != o.pages || written < 0 || exitCode != 0) {
    r.why = std::to_string(sheets.size()) + " sheets, " + (written < 0 ? "no " + last : "file there") +
            ", exit code " + std::to_string(exitCode);
    return r;
  }
  r.scanMs = shown - pressed;
  r.firstSheetMs = sheets.front() - pressed;
  r.lagMs = std::max(0.0, written - sheets.back());
  return r;
}

const BenchPath* LibraryPath(const char* name) {
  for (const BenchPath& p : BenchPaths())
    if (std::strcmp(p.name, name) == 0) return &p;
  return nullptr;
}

double RunLibrary(const Options& o, const BenchPath& path, int dpi, std::string* why) {
  const std::string root = o.work + "\\road";
  CreateDirectoryA(root.c_str(), nullptr);
  WriteSimSettings(root + "\\zebsim.ini", "[Feeder]\r\nSheets=100000\r\nPaper=A4\r\n");
  BenchSetup setup;
  setup.pages = o.pages;
  setup.dpi = dpi;
  setup.compressQuality = 14;  // JPEG quality 76, the program's "Jpeg Qualty" 24
  setup.folder = root + "\\library";
  CreateDirectoryA(setup.folder.c_str(), nullptr);
  if (!OpenPavlot(0, path.format)) return *why = "pavlot.dll does not load", kFailed;
  const double ms = RunPath(path, setup, why);
  ClosePavlot();
  return ms;
}

struct Figures {
  std::vector<double> scan, first, lag, resident, library;
  std::string why;
};

std::string Cell(double v, const char* format) {
  if (v < 0) return "";
  char s[32];
  std::snprintf(s, sizeof s, format, v);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) return 2;
  CreateDirectoryA(o.work.c_str(), nullptr);
  struct Key {
    const RoadCase* c;
    int dpi;
    bool operator<(const Key& k) const { return c != k.c ? c < k.c : dpi < k.dpi; }
  };
  std::vector<Key> keys;
  for (int dpi : o.dpis)
    for (const RoadCase& c : kCases)
      if (o.only.empty() || std::strstr(c.name, o.only.c_str())) keys.push_back({&c, dpi});
  std::map<Key, Figures> figures;
  for (int run = 1; run <= o.runs; ++run) {
    std::fprintf(stderr, "run %d of %d\n", run, o.runs);
    for (const Key& k : keys) {
      Figures& f = figures[k];
      const BenchPath* path = LibraryPath(k.c->library);
      std::string why;
      f.library.push_back(path ? RunLibrary(o, *path, k.dpi, &why) : kFailed);
      if (f.library.back() < 0) f.why = "library: " + why;
      const RoadRun r = RunProgram(o, *k.c, k.dpi);
      f.scan.push_back(r.scanMs);
      f.first.push_back(r.firstSheetMs);
      f.lag.push_back(r.lagMs);
      f.resident.push_back(r.residentMb);
      if (r.scanMs < 0) f.why = r.why;
      std::fprintf(stderr, "  %s at %d dpi: program %.0f ms, library %.0f ms\n", k.c->name, k.dpi, r.scanMs,
                   f.library.back());
    }
  }
  std::printf("Tarnwick's scan road: %d A4 pages from the feeder per scan, page shown and thumbnailed, "
              "medians of %d runs\n\n", o.pages, o.runs);
  std::printf("| path | dpi | program pages/min | ms/page | library pages/min | ratio to library | "
              "Scan to first sheet ms | save lag ms | resident MB |\n"
              "|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
  bool failed = false;
  for (const Key& k : keys) {
    const Figures& f = figures[k];
    const double scan = Median(f.scan), library = Median(f.library);
    if (scan <= 0 || library <= 0) {
      std::printf("| %s | %d | failed: %s | | | | | | |\n", k.c->name, k.dpi, f.why.c_str());
      failed = true;
      continue;
    }
    std::printf("| %s | %d | %.0f | %.1f | %.0f | %.2f | %s | %s | %s |\n", k.c->name, k.dpi,
                60000.0 * o.pages / scan, scan / o.pages, 60000.0 * o.pages / library, library / scan,
                Cell(Median(f.first), "%.0f").c_str(), Cell(Median(f.lag), "%.0f").c_str(),
                Cell(Median(f.resident), "%.0f").c_str());
  }
  std::printf("\nratio to library: the program's pages per minute over the library's on the same pages "
              "(1.00: the program keeps up with its library)\n");
  return failed ? 1 : 0;
}
