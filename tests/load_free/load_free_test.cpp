// Every DLL we ship can be loaded and freed all day, and the scan library bound and released on
// every driver kind: a plain C caller (load_cycles.exe) does it in a process of its own, and what
// that process holds afterwards (free TLS slots, committed private memory, handles, threads) is
// what it held after its first cycles.
//
// LOAD_FREE_BIND_CYCLES sets the number of bind cycles per driver kind (default 150: enough
// bound drivers and plug-ins to pass the thousand or so TLS slots a process has, which a leak of
// one slot per load would exhaust).
#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "test_files.h"

namespace {

struct Held {
  int tls = -1;
  long memoryKb = -1;
  long handles = -1;
  int threads = -1;
};

struct CycleRun {
  DWORD exitCode = 1;
  std::string output;
  std::map<int, Held> at;  // by cycle
  bool failed = false;
};

constexpr long kMemorySlackKb = 256;

// Runs load_cycles.exe with `arguments` from the bin folder and reads its report lines.
CycleRun RunCycles(const std::string& arguments) {
  CycleRun run;
  const std::string bin = FolderOfThisProgram();
  const std::string outName = TempPath("load_cycles_out.txt");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + bin + "load_cycles.exe\" " + arguments;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, bin.c_str(), &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(out);
  std::ifstream in(outName);
  std::stringstream text;
  text << in.rdbuf();
  run.output = text.str();
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) {
    int cycle = 0, tls = 0, threads = 0;
    long memory = 0, handles = 0;
    const bool failed = line.rfind("failed at", 0) == 0;
    const char* format = failed ? "failed at %d: tls %d memory %ld handles %ld threads %d"
                                : "at %d: tls %d memory %ld handles %ld threads %d";
    if (std::sscanf(line.c_str(), format, &cycle, &tls, &memory, &handles, &threads) == 5) {
      run.at[cycle] = Held{tls, memory, handles, threads};
      run.failed = run.failed || failed;
    }
  }
  DeleteFileA(outName.c_str());
  return run;
}

// What the process held at cycle `to` is what it held at cycle `from`: not one TLS slot less,
// no handle or thread more, memory within the slack.
void ExpectNothingLost(const CycleRun& run, int from, int to, const std::string& what) {
  ASSERT_EQ(run.exitCode, 0u) << what << ":\n" << run.output;
  ASSERT_FALSE(run.failed) << what << ":\n" << run.output;
  ASSERT_TRUE(run.at.count(from) && run.at.count(to)) << what << ":\n" << run.output;
  const Held& a = run.at.at(from);
  const Held& b = run.at.at(to);
  EXPECT_EQ(b.tls, a.tls) << what << ": free TLS slots after cycle " << from << " and " << to << "\n" << run.output;
  EXPECT_LE(b.memoryKb - a.memoryKb, kMemorySlackKb) << what << ": private kB\n" << run.output;
  EXPECT_LE(b.handles, a.handles) << what << ": handles\n" << run.output;
  EXPECT_LE(b.threads, a.threads) << what << ": threads\n" << run.output;
}

int BindCycles() {
  const char* text = std::getenv("LOAD_FREE_BIND_CYCLES");
  const int n = text ? std::atoi(text) : 0;
  return n > 50 ? n : 150;
}

TEST(LoadFree, EveryShippedDllLoadsAndFreesThreeHundredTimesWithoutLoss) {
  // The scan library, the TWAIN engine, the simulated drivers and TWAIN source, the plug-ins,
  // the imaging stand-ins, pdf.dll and the bitmap libraries.
  const char* const kShipped[] = {
      "pavlot.dll",   "wexlo.dll",    "zebdrv.dll",   "isisdrv.dll",   "sane.ds",
      "FileTiff.dll", "FileBmp.dll",  "FileJpeg.dll", "FilePcx.dll",   "FileTga.dll",
      "FilePdf.dll",  "FileDjvu.dll", "pdf.dll",      "LTKRN12n.DLL",  "LTFIL12n.DLL",
      "LTDIS12n.DLL", "LTIMG12n.DLL", "ISP2000.DLL",  "CRDE2001.DLL",  "cropdeskew2.dll",
      "zebip.dll",    "zebbcode.dll", "FilterDll.dll", "djvuocr.dll"};
  for (const char* dll : kShipped) {
    SCOPED_TRACE(dll);
    const CycleRun run = RunCycles(std::string("dll ") + dll + " 300");
    // The first load also brings in the C++ runtime, which then stays for the process (one TLS
    // slot of its own); from there on every load and free is even.
    ExpectNothingLost(run, 1, 300, dll);
    if (run.at.count(0) && run.at.count(300))
      EXPECT_LE(run.at.at(0).tls - run.at.at(300).tls, 1) << dll << "\n" << run.output;
  }
}

TEST(LoadFree, TheScanLibraryIsBoundAndReleasedOnEveryDriverKindWithoutLoss) {
  const int cycles = BindCycles();
  const struct {
    int kind;
    const char* source;
  } kKinds[] = {{0, nullptr}, {1, "Quandrix Sim TWAIN"}, {2, nullptr}};
  for (const auto& k : kKinds) {
    const std::string what = "driver kind " + std::to_string(k.kind);
    SCOPED_TRACE(what);
    std::string arguments = "bind " + std::to_string(k.kind) + " " + std::to_string(cycles);
    if (k.source) arguments += std::string(" \"") + k.source + "\"";
    const CycleRun run = RunCycles(arguments);
    ExpectNothingLost(run, 50, cycles, what);
    std::printf("%s, %d cycles:\n%s", what.c_str(), cycles, run.output.c_str());
  }
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
}

}  // namespace
