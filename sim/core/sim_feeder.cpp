#include <cctype>
#include <fstream>
#include <chrono>
#include <cstdio>

#include "sim_scanner.h"

namespace zebsim {
namespace {

struct FaultRow {
  Fault fault;
  const char* name;
  int32_t code;
  bool midPage;  // strikes after half of the page has been read
};
constexpr FaultRow kFaults[] = {
    {Fault::None, "none", 0, false},
    {Fault::PaperJam, "jam", kSimPaperJam, true},
    {Fault::NoPaper, "nopaper", kSimNoPaper, false},
    {Fault::Cancel, "cancel", kSimCancelled, false},
    {Fault::DeviceError, "device", kSimDeviceError, true},
};

const FaultRow& RowOf(Fault f) {
  for (const FaultRow& r : kFaults)
    if (r.fault == f) return r;
  return kFaults[0];
}

}  // namespace

int32_t FaultCode(Fault fault) { return RowOf(fault).code; }
const char* FaultName(Fault fault) { return RowOf(fault).name; }

bool FaultByName(const std::string& name, Fault* out) {
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const FaultRow& r : kFaults)
    if (lower == r.name) {
      *out = r.fault;
      return true;
    }
  return false;
}

SimFeeder::SimFeeder(const SimConfig& config)
    : config_(config),
      totalPages_(config.sheets * (config.duplex ? 2 : 1)),
      faultPending_(config.fault != Fault::None && config.faultPage > 0) {}

int SimFeeder::PagesLeft() const { return config_.flatbed ? 1 : totalPages_ - feederNext_; }

void SimFeeder::BeginScan() { pagesThisScan_ = 0; }

FeedResult SimFeeder::NextPage() {
  FeedResult r{FeedResult::kEnd, 0, false, Fault::None, false};
  if (config_.empty || (config_.flatbed && pagesThisScan_ > 0)) return r;
  int number = config_.flatbed ? delivered_ + 1 : feederNext_ + 1;
  if (faultPending_ && number == config_.faultPage) {
    faultPending_ = false;  // raised once; the page stays for the next scan
    r.kind = FeedResult::kFault;
    r.pageNumber = number;
    r.fault = config_.fault;
    r.midPage = RowOf(config_.fault).midPage;
    if (r.midPage) PageTakenIn();
    return r;
  }
  if (!config_.flatbed && feederNext_ >= totalPages_) {
    // An empty feeder at the start of a scan is a failure; after pages it ends the job.
    if (pagesThisScan_ == 0) {
      r.kind = FeedResult::kFault;
      r.pageNumber = number;
      r.fault = Fault::NoPaper;
    }
    return r;
  }
  r.kind = FeedResult::kPage;
  r.pageNumber = number;
  PageTakenIn();
  r.back = !config_.flatbed && config_.duplex && (feederNext_ % 2 == 1);
  for (int blank : config_.blankPages) r.blank = r.blank || blank == number;
  return r;
}

void SimFeeder::PageTakenIn() {
  if (config_.flatbed) return;
  ++fed_;
  if (config_.feedReport.empty()) return;
  std::ofstream report(config_.feedReport, std::ios::trunc);
  report << "Fed=" << fed_ << "\n";
}

void SimFeeder::PageDone() {
  ++delivered_;
  ++pagesThisScan_;
  if (!config_.flatbed) ++feederNext_;
  if (!config_.sheetTimes.empty()) NoteSheetTime(config_.sheetTimes, delivered_);
}

void NoteSheetTime(const std::string& file, int page) {
  using namespace std::chrono;
  const long long us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
  if (FILE* f = std::fopen(file.c_str(), "a")) {
    std::fprintf(f, "%d %lld\n", page, us);
    std::fclose(f);
  }
}

}  // namespace zebsim
