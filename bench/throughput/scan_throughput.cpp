// The scan throughput benchmark: A4 pages at 300 dpi from the simulated scanner through
// pavlot.dll on each path and driver kind, timed around ZebAcquire, against the floor of the path
// timed in the same run on the same pages: the simulator alone plus the raw codec for a file path,
// the simulator alone plus one fresh page-sized global block per page for a page-DIB path.
// Every figure is the median of the runs; runs of the paths and the floors alternate, so a
// machine busy for a while slows both alike.
//
//   scan_throughput [--pages N] [--runs N] [--kinds 0,1] [--only TEXT] [--work FOLDER]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench_floors.h"
#include "bench_paths.h"
#include "bench_table.h"

namespace {

struct Options {
  BenchSetup setup;
  int runs = 5;
  std::vector<int> kinds = {0, 1};
  std::string only;
  std::string work = "bench_work";
};

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i], v = argv[i + 1];
    if (a == "--pages") o->setup.pages = std::atoi(v.c_str());
    else if (a == "--runs") o->runs = std::atoi(v.c_str());
    else if (a == "--only") o->only = v;
    else if (a == "--work") o->work = v;
    else if (a == "--kinds") {
      o->kinds.clear();
      for (char c : v)
        if (c == '0' || c == '1') o->kinds.push_back(c - '0');
    } else {
      std::fprintf(stderr, "unknown option %s\n", a.c_str());
      return false;
    }
  }
  if (argc % 2 == 0) {
    std::fprintf(stderr, "%s needs a value\n", argv[argc - 1]);
    return false;
  }
  return o->setup.pages > 0 && o->runs > 0 && !o->kinds.empty();
}

const char* KindName(int kind) { return kind == 0 ? "maker's driver" : "TWAIN"; }
const char* PixelName(zebsim::PixelKind k) {
  return k == zebsim::PixelKind::BlackWhite ? "B/W" : k == zebsim::PixelKind::Gray ? "gray" : "colour";
}

// The simulator's settings for every driver: a feeder that does not run dry, A4 paper.
bool WriteSimSettings(const std::string& work) {
  const std::string ini = work + "\\zebsim.ini";
  FILE* f = std::fopen(ini.c_str(), "w");
  if (!f) return false;
  std::fprintf(f, "[Feeder]\nSheets=100000\nPaper=A4\n");
  std::fclose(f);
  SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
  SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", ini.c_str());
  return true;
}

// Where a JPEG path's scan leaves one of its page files for the floor.
std::string PathSample(const std::string& work, const BenchPath* p) {
  return work + "\\" + (p->pixel == zebsim::PixelKind::Color ? "colour" : "gray") + "_path_page.jpg";
}

struct FloorKey {
  Floor part;
  zebsim::PixelKind pixel;
  bool operator<(const FloorKey& o) const {
    return part != o.part ? part < o.part : pixel < o.pixel;
  }
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) return 2;
  CreateDirectoryA(o.work.c_str(), nullptr);
  o.setup.folder = o.work + "\\pages";
  CreateDirectoryA(o.setup.folder.c_str(), nullptr);
  if (!WriteSimSettings(o.work)) {
    std::fprintf(stderr, "cannot write the simulator's settings in %s\n", o.work.c_str());
    return 1;
  }
  std::vector<const BenchPath*> paths;
  for (const BenchPath& p : BenchPaths())
    if (o.only.empty() || std::strstr(p.name, o.only.c_str())) paths.push_back(&p);
  const int pages = o.setup.pages;

  // Every run: each path on each driver kind, then the floors' parts.
  std::map<zebsim::PixelKind, std::vector<double>> simulator;
  std::map<FloorKey, std::vector<double>> parts;
  std::map<std::pair<int, const BenchPath*>, std::vector<double>> scans;
  std::map<std::pair<int, const BenchPath*>, std::string> why;
  std::map<int, std::string> kindFailed;
  for (int run = 1; run <= o.runs; ++run) {
    std::fprintf(stderr, "run %d of %d\n", run, o.runs);
    // Each scan from a freshly loaded library: the same pages as the floors, the plug-in of the
    // path's format loaded with it. A JPEG path keeps one of its page files, which the floor
    // codes as.
    for (int kind : o.kinds)
      for (const BenchPath* p : paths) {
        if (kindFailed.count(kind)) break;
        if (!OpenPavlot(kind, p->format)) {
          kindFailed[kind] = "pavlot.dll does not load over this driver kind";
          break;
        }
        std::string reason;
        BenchSetup setup = o.setup;
        if (p->floor == Floor::kRawJpeg) setup.keepFile = PathSample(o.work, p);
        const double ms = RunPath(*p, setup, &reason);
        scans[{kind, p}].push_back(ms);
        if (ms < 0) why[{kind, p}] = reason;
        ClosePavlot();
      }
    for (const BenchPath* p : paths) {
      zebsim::PageFormat format;
      format.kind = p->pixel;
      format.xResolution = format.yResolution = o.setup.dpi;
      format.paper = zebsim::Paper::A4;
      if (simulator[p->pixel].size() < size_t(run)) simulator[p->pixel].push_back(TimeSimulatorAlone(format, pages));
      std::vector<double>& part = parts[{p->floor, p->pixel}];
      if (part.size() >= size_t(run)) continue;
      switch (p->floor) {
        case Floor::kRawG4: part.push_back(TimeRawG4(format, pages, o.work + "\\raw.tif")); break;
        case Floor::kRawJpeg: part.push_back(TimeRawJpeg(format, pages, PathSample(o.work, p), o.work)); break;
        case Floor::kPageBlock: part.push_back(TimePageBlocks(format, pages)); break;
      }
    }
  }

  std::vector<TableRow> rows;
  for (const BenchPath* p : paths)
    for (int kind : o.kinds) {
      TableRow r;
      r.path = p->name;
      r.driver = KindName(kind);
      const auto s = scans.find({kind, p});
      if (s == scans.end()) {
        r.why = kindFailed.count(kind) ? kindFailed[kind] : "not run";
      } else {
        r.msPerPage = Median(s->second) / pages;
        r.why = why.count({kind, p}) ? why[{kind, p}] : "";
        for (double ms : s->second) r.notOffered = r.notOffered || ms == kNotOffered;
      }
      const double sim = Median(simulator[p->pixel]), part = Median(parts[{p->floor, p->pixel}]);
      if (sim > 0 && part > 0) r.floorMsPerPage = (sim + part) / pages;
      rows.push_back(r);
    }
  std::printf("Scan throughput: %d A4 pages at %d dpi per scan, medians of %d runs\n\n", pages, o.setup.dpi,
              o.runs);
  std::printf("%s\n", FormatTable(rows).c_str());
  std::printf("Parts of the floors (ms per page):");
  for (const auto& s : simulator) std::printf(" simulator alone %s %.1f;", PixelName(s.first), Median(s.second) / pages);
  for (const auto& part : parts) {
    const char* what = part.first.part == Floor::kRawG4     ? "libtiff G4"
                       : part.first.part == Floor::kRawJpeg ? "libjpeg-turbo"
                                                            : "page block";
    std::printf(" %s %s %.1f;", what, PixelName(part.first.pixel), Median(part.second) / pages);
  }
  std::printf("\n");
  for (const TableRow& r : rows)
    if (r.msPerPage <= 0 && !r.notOffered) return 1;
  return 0;
}
