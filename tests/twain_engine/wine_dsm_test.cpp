// The engine as the scan library binds it (wexlo.dll by name) against Wine's own data source
// manager and the simulated source: a manager nobody here wrote.
#include <windows.h>

#include <gtest/gtest.h>
#include <psapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sim_scanner.h"
#include "wexlo.h"

namespace {

struct Wexlo {
  HMODULE module = nullptr;
  decltype(&TWAINLoad) Load;
  decltype(&TWAINFree) Free;
  decltype(&TWAINOpenDS) OpenDS;
  decltype(&TWAINCloseDS) CloseDS;
  decltype(&TWAINGetDS) GetDS;
  decltype(&TWAINAcquire) Acquire;
  decltype(&TWAINSetValue) SetValue;
  decltype(&TWAINGetValue) GetValue;
  decltype(&TWAINRegister) Register;

  template <class F>
  void Bind(F* f, const char* name) {
    *f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    ASSERT_NE(*f, nullptr) << name;
  }
};

class WineDsmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", nullptr);
    w_.module = LoadLibraryA("wexlo.dll");
    ASSERT_NE(w_.module, nullptr);
    w_.Bind(&w_.Load, "TWAINLoad");
    w_.Bind(&w_.Free, "TWAINFree");
    w_.Bind(&w_.OpenDS, "TWAINOpenDS");
    w_.Bind(&w_.CloseDS, "TWAINCloseDS");
    w_.Bind(&w_.GetDS, "TWAINGetDS");
    w_.Bind(&w_.Acquire, "TWAINAcquire");
    w_.Bind(&w_.SetValue, "TWAINSetValue");
    w_.Bind(&w_.GetValue, "TWAINGetValue");
    w_.Bind(&w_.Register, "TWAINRegister");
    TWAppInfo info{};
    info.MajorVersion = 1;
    lstrcpyA(info.VersionInfo, "1.0");
    lstrcpyA(info.Manufacturer, "Quandrix");
    lstrcpyA(info.ProductName, "Tarnwick");
    ASSERT_EQ(w_.Load(nullptr), 0);
    w_.Register(&info);
  }
  void TearDown() override {
    if (w_.module) {
      w_.Free();
      FreeLibrary(w_.module);
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }

  std::vector<TW_IDENTITY> Sources() {
    std::vector<TW_IDENTITY> out;
    TW_IDENTITY id{};
    for (int32_t r = w_.GetDS(MSG_GETFIRST, &id); r == 0; r = w_.GetDS(MSG_GETNEXT, &id)) {
      out.push_back(id);
      id = {};
    }
    return out;
  }

  void OpenSim() {
    TW_IDENTITY id{};
    lstrcpyA(id.ProductName, "Quandrix Sim TWAIN");
    ASSERT_EQ(w_.OpenDS(&id), 0);
    EXPECT_STREQ(id.ProductName, "Quandrix Sim TWAIN");
    EXPECT_STREQ(id.Manufacturer, "Quandrix");
  }

  Wexlo w_;
};

void FreeBlock(void* p) {
  if (!p) return;
  HGLOBAL h = GlobalHandle(p);
  while (GlobalUnlock(h)) {
  }
  GlobalFree(h);
}

TEST_F(WineDsmTest, ListsTheSimulatedSource) {
  bool found = false;
  for (const TW_IDENTITY& id : Sources()) found |= std::strcmp(id.ProductName, "Quandrix Sim TWAIN") == 0;
  EXPECT_TRUE(found);
}

TEST_F(WineDsmTest, ReadsAndSetsCapabilities) {
  OpenSim();
  void* block = nullptr;
  ASSERT_EQ(w_.GetValue(ICAP_XRESOLUTION, TWTY_FIX32, &block), TWON_ENUMERATION);
  TW_UINT16 type;
  TW_UINT32 n;
  std::memcpy(&type, block, 2);
  std::memcpy(&n, static_cast<uint8_t*>(block) + 2, 4);
  EXPECT_EQ(type, TWTY_FIX32);
  EXPECT_EQ(n, 6u);
  ASSERT_EQ(w_.GetValue(ICAP_BRIGHTNESS, TWTY_FIX32, &block), TWON_RANGE);
  ASSERT_EQ(w_.GetValue(0x1213, TWTY_STR32, &block), TWON_ONEVALUE);
  EXPECT_STREQ(static_cast<char*>(block) + 2, "Quandrix Sim 9000");

  uint32_t rgb = TWPT_RGB;
  EXPECT_EQ(w_.SetValue(ICAP_PIXELTYPE, TWON_ONEVALUE, &rgb), 0);
  ASSERT_EQ(w_.GetValue(ICAP_PIXELTYPE, TWTY_UINT16, &block), TWON_ENUMERATION);
  uint32_t current;
  std::memcpy(&current, static_cast<uint8_t*>(block) + 6, 4);
  EXPECT_EQ(current, 2u);
  // 250 dpi is not offered: taken as the nearest value and reported as adjusted (success).
  TW_FIX32 dpi{250, 0};
  EXPECT_EQ(w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  FreeBlock(block);
}

int32_t g_pages = 0;
int32_t g_info = 0;
int32_t __stdcall NativeCallback(void* p, uint32_t* q, int32_t code) {
  if (code == 2) {
    ++g_info;
    const TWImageInfoRec* rec = static_cast<const TWImageInfoRec*>(p);
    if (rec->ImageWidth <= 0 || rec->XResolution != 300) return -1;
    return 0;
  }
  if (code == 1) {
    HGLOBAL dib = *static_cast<HGLOBAL*>(p);
    if (!dib) return -1;
    const BITMAPINFOHEADER* h = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    bool ok = h && h->biSize == sizeof(BITMAPINFOHEADER) && h->biWidth > 0;
    GlobalUnlock(dib);
    GlobalFree(dib);
    if (!ok) return -1;
    ++g_pages;
  }
  return 0;
}

TEST_F(WineDsmTest, EnablesReceivesXferReadyAndWalksBackToStateOne) {
  OpenSim();
  uint32_t native = TWSX_NATIVE;
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &native), 0);
  g_pages = g_info = 0;
  HGLOBAL dib = nullptr;
  EXPECT_EQ(w_.Acquire(NativeCallback, &dib), 0);
  EXPECT_EQ(g_info, 3);
  EXPECT_EQ(g_pages, 3);
  EXPECT_EQ(w_.Free(), 0);
  // In state 1 a load opens the manager again instead of answering "already open".
  EXPECT_EQ(w_.Load(nullptr), 0);
}

struct MemPages {
  std::vector<TWImageInfoRec> infos;
  std::vector<std::vector<uint8_t>> pages;
  int lastCode = 0;
};
MemPages* g_mem = nullptr;

int32_t __stdcall MemCallback(void* p, uint32_t* q, int32_t code) {
  if (code == 2) {
    g_mem->infos.push_back(*static_cast<const TWImageInfoRec*>(p));
    g_mem->pages.emplace_back();
    *q = 65536;
    return 0;
  }
  g_mem->lastCode = code;
  if (code < 0) return 0;
  const uint8_t* data = static_cast<const uint8_t*>(p);
  g_mem->pages.back().insert(g_mem->pages.back().end(), data, data + *q);
  return 0;
}

class WineDsmMemoryTest : public WineDsmTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WineDsmMemoryTest, DeliversEveryRowOfEveryPage) {
  if (GetParam()) {
    // Batch read-ahead: the setting is read when the manager is loaded.
    w_.Free();
    DWORD one = 1;
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quandrix\\ScanData", &key);
    RegSetValueExA(key, "BATCHSCAN", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
    RegCloseKey(key);
    ASSERT_EQ(w_.Load(nullptr), 0);
  }
  OpenSim();
  uint32_t memory = TWSX_MEMORY, bw = TWPT_BW;
  TW_FIX32 dpi{100, 0};
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &memory), 0);
  ASSERT_EQ(w_.SetValue(ICAP_PIXELTYPE, TWON_ONEVALUE, &bw), 0);
  ASSERT_EQ(w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  ASSERT_EQ(w_.SetValue(ICAP_YRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  MemPages got;
  g_mem = &got;
  std::vector<uint8_t> buffer(1 << 20);
  EXPECT_EQ(w_.Acquire(MemCallback, buffer.data()), 0);
  ASSERT_EQ(got.pages.size(), 3u);
  zebsim::PageFormat format;
  format.kind = zebsim::PixelKind::BlackWhite;
  format.xResolution = format.yResolution = 100;
  format.paper = zebsim::Paper::Letter;
  for (int p = 0; p < 3; ++p) {
    std::vector<uint8_t> expected = zebsim::RenderPage(format, p + 1);
    EXPECT_EQ(got.pages[p].size(), expected.size()) << p;
    EXPECT_TRUE(got.pages[p] == expected) << "page " << p + 1;
    EXPECT_EQ(got.infos[p].BitsPerPixel, 1);
    EXPECT_EQ(got.infos[p].XResolution, 100);
  }
  EXPECT_EQ(got.lastCode, 1);
}

INSTANTIATE_TEST_SUITE_P(StripsAndBatch, WineDsmMemoryTest, ::testing::Bool());

std::vector<std::string> g_files;
int32_t __stdcall FileCallback(void* p, uint32_t*, int32_t code) {
  if (code == 1) g_files.push_back(static_cast<const char*>(p));
  return 0;
}

TEST_F(WineDsmTest, FileTransferWritesNumberedBitmaps) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string base = std::string(tmp) + "wexlo_files";
  CreateDirectoryA(base.c_str(), nullptr);
  std::string templ = base + "\\page.tif";
  OpenSim();
  uint32_t file = TWSX_FILE;
  TW_FIX32 dpi{100, 0};
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &file), 0);
  ASSERT_EQ(w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  ASSERT_EQ(w_.SetValue(ICAP_YRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  g_files.clear();
  std::vector<char> data(templ.begin(), templ.end());
  data.push_back(0);
  EXPECT_EQ(w_.Acquire(FileCallback, data.data()), 0);
  ASSERT_EQ(g_files.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\page%06d.bmp", i + 1);
    EXPECT_EQ(g_files[i], base + name);
    HANDLE f = CreateFileA(g_files[i].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << g_files[i];
    char magic[2] = {};
    DWORD got = 0;
    ReadFile(f, magic, 2, &got, nullptr);
    EXPECT_EQ(GetFileSize(f, nullptr) > 100000u, true);
    CloseHandle(f);
    EXPECT_EQ(std::string(magic, 2), "BM");
    DeleteFileA(g_files[i].c_str());
  }
}

// The simulated source's scripted faults, through its settings file.
struct FaultCase {
  const char* what;
  const char* settings;
  int32_t expected;  // TWAINAcquire's answer
  int pages;         // pages that arrive whole first
};

const FaultCase kFaultCases[] = {
    {"paper jam at page 2", "[Fault]\nKind=jam\nPage=2\n", -12, 1},
    {"double feed at page 3", "[Twain]\nDoubleFeed=3\n", -14, 2},
    {"cancel at page 1", "[Fault]\nKind=cancel\nPage=1\n", -5, 0},
    {"condition code at the image information", "[Twain]\nFailAt=imageinfo\nCondition=23\n", -13, 0},
    {"refused transfer of page 2", "[Twain]\nFailAt=nativexfer\nFailPage=2\nCondition=5\n", -4, 1},
};

class WineDsmFaultTest : public WineDsmTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  void UseSettings(const char* text) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    path_ = std::string(tmp) + "sim_twain_fault.ini";
    HANDLE f = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text, static_cast<DWORD>(std::strlen(text)), &n, nullptr);
    CloseHandle(f);
    SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", path_.c_str());
  }
  void TearDown() override {
    WineDsmTest::TearDown();
    SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", nullptr);
    DeleteFileA(path_.c_str());
  }
  std::string path_;
};

TEST_P(WineDsmFaultTest, EndsTheScanWithTheFaultsCode) {
  const FaultCase& c = GetParam();
  UseSettings(c.settings);
  OpenSim();
  uint32_t native = TWSX_NATIVE;
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &native), 0);
  g_pages = g_info = 0;
  HGLOBAL dib = nullptr;
  EXPECT_EQ(w_.Acquire(NativeCallback, &dib), c.expected) << c.what;
  EXPECT_EQ(g_pages, c.pages) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Faults, WineDsmFaultTest, ::testing::ValuesIn(kFaultCases));

TEST_F(WineDsmFaultTest, RefusedAndAdjustedCapabilities) {
  UseSettings("[Twain]\nRefuse=0x1101\nAdjust=0x1103\n");
  OpenSim();
  TW_FIX32 v{10, 0};
  EXPECT_EQ(w_.SetValue(ICAP_BRIGHTNESS, TWON_ONEVALUE, &v), -8) << "refused: TWCC_BADVALUE";
  EXPECT_EQ(w_.SetValue(ICAP_CONTRAST, TWON_ONEVALUE, &v), 0) << "adjusted counts as set";
}

// Rows the source pads, in odd-sized strips, and a source whose least block is larger than the
// caller's: every page arrives with its rows as the caller lays them, none lost.
TEST_F(WineDsmFaultTest, StripsArriveInTheCallersRowLayout) {
  const char* cases[] = {"[Twain]\nRowPadding=4\nStripRows=7\n", "[Twain]\nMinBufSize=300000\n",
                         "[Twain]\nMinBufSize=300000\nRowPadding=8\n"};
  for (bool batch : {false, true})
  for (const char* settings : cases) {
    // Strip by strip, and read ahead (the setting is read when the manager is loaded).
    DWORD on = batch ? 1 : 0;
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quandrix\\ScanData", &key);
    RegSetValueExA(key, "BATCHSCAN", 0, REG_DWORD, reinterpret_cast<BYTE*>(&on), sizeof on);
    RegCloseKey(key);
    w_.Free();
    ASSERT_EQ(w_.Load(nullptr), 0);
    UseSettings(settings);
    OpenSim();
    uint32_t memory = TWSX_MEMORY, bw = TWPT_BW;
    TW_FIX32 dpi{100, 0};
    w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &memory);
    w_.SetValue(ICAP_PIXELTYPE, TWON_ONEVALUE, &bw);
    w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi);
    w_.SetValue(ICAP_YRESOLUTION, TWON_ONEVALUE, &dpi);
    MemPages got;
    g_mem = &got;
    std::vector<uint8_t> buffer(1 << 20);
    EXPECT_EQ(w_.Acquire(MemCallback, buffer.data()), 0) << settings << batch;
    ASSERT_EQ(got.pages.size(), 3u) << settings << batch;
    zebsim::PageFormat format;
    format.kind = zebsim::PixelKind::BlackWhite;
    format.xResolution = format.yResolution = 100;
    zebsim::PageGeometry g = zebsim::GeometryOf(format);
    ASSERT_NE(g.bytesPerRow % 4, 0) << "a padded row would differ";
    for (int p = 0; p < 3; ++p)
      EXPECT_TRUE(got.pages[p] == zebsim::RenderPage(format, p + 1))
          << settings << (batch ? " read ahead" : "") << " page " << p + 1;
  }
}

// A source that refuses MSG_ENDXFER then refuses the reset and the disable too: the scan ends
// with an error instead of waiting for ever, the source is closed, and the next scan works.
TEST_F(WineDsmFaultTest, ARefusedEndOfTransferClosesTheSource) {
  UseSettings("[Twain]\nFailAt=endxfer\nFailPage=2\n");
  OpenSim();
  uint32_t native = TWSX_NATIVE;
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &native), 0);
  g_pages = g_info = 0;
  HGLOBAL dib = nullptr;
  EXPECT_LT(w_.Acquire(NativeCallback, &dib), 0);
  EXPECT_EQ(g_pages, 2);
  // The source opens again, now without the fault, for a whole scan.
  UseSettings("[Feeder]\nSheets=3\n");
  g_pages = g_info = 0;
  EXPECT_EQ(w_.Acquire(NativeCallback, &dib), 0);
  EXPECT_EQ(g_pages, 3);
}

std::vector<TWImageInfoRec> g_infos;
int32_t __stdcall InfoCallback(void* p, uint32_t*, int32_t code) {
  if (code == 2) g_infos.push_back(*static_cast<const TWImageInfoRec*>(p));
  if (code == 1) GlobalFree(*static_cast<HGLOBAL*>(p));
  return 0;
}

// Refusals that answer their own request: a sequence error on a set, and the image information
// asked before any transfer. Neither may close the source and lose what was set.
TEST_F(WineDsmFaultTest, SequenceErrorsKeepEverySetting) {
  UseSettings("[Feeder]\nSheets=1\n[Twain]\nRefuse=0x1106\nRefuseCondition=11\n");
  OpenSim();
  auto imageInfo = reinterpret_cast<decltype(&TWAINImageInfo)>(
      reinterpret_cast<void*>(GetProcAddress(w_.module, "TWAINImageInfo")));
  ASSERT_NE(imageInfo, nullptr);
  uint32_t native = TWSX_NATIVE, rgb = TWPT_RGB, red = TWFT_RED;
  TW_FIX32 dpi{150, 0};
  ASSERT_EQ(w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &native), 0);
  ASSERT_EQ(w_.SetValue(ICAP_PIXELTYPE, TWON_ONEVALUE, &rgb), 0);
  ASSERT_EQ(w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  ASSERT_EQ(w_.SetValue(ICAP_YRESOLUTION, TWON_ONEVALUE, &dpi), 0);
  EXPECT_EQ(w_.SetValue(ICAP_FILTER, TWON_ONEVALUE, &red), -3);
  TWImageInfoRec early{};
  uint32_t max = 0;
  EXPECT_EQ(imageInfo(&early, &max), -3);
  g_infos.clear();
  HGLOBAL dib = nullptr;
  EXPECT_EQ(w_.Acquire(InfoCallback, &dib), 0);
  ASSERT_EQ(g_infos.size(), 1u);
  EXPECT_EQ(g_infos[0].XResolution, 150);
  EXPECT_EQ(g_infos[0].PixelType, TWPT_RGB);
}

TEST_F(WineDsmFaultTest, FailureAtAChosenStrip) {
  UseSettings("[Twain]\nFailAt=memxfer\nFailPage=2\nFailStrip=3\nCondition=20\nStripRows=50\n");
  OpenSim();
  uint32_t memory = TWSX_MEMORY;
  TW_FIX32 dpi{100, 0};
  w_.SetValue(ICAP_XFERMECH, TWON_ONEVALUE, &memory);
  w_.SetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &dpi);
  w_.SetValue(ICAP_YRESOLUTION, TWON_ONEVALUE, &dpi);
  MemPages got;
  g_mem = &got;
  std::vector<uint8_t> buffer(1 << 20);
  EXPECT_EQ(w_.Acquire(MemCallback, buffer.data()), -12);
  ASSERT_EQ(got.pages.size(), 2u);
  zebsim::PageFormat format;
  format.xResolution = format.yResolution = 100;
  zebsim::PageGeometry g = zebsim::GeometryOf(format);
  EXPECT_EQ(got.pages[0].size(), size_t(g.bytesPerRow) * g.length);
  EXPECT_EQ(got.pages[1].size(), size_t(g.bytesPerRow) * 100) << "two strips of 50 rows arrived";
  EXPECT_EQ(got.lastCode, -12);
}

BOOL CALLBACK CountProxy(HWND w, LPARAM count) {
  char title[64] = {};
  GetWindowTextA(w, title, sizeof title);
  if (std::string(title) == "Zeb library tools Proxy") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int CountProxyWindows() {
  int count = 0;
  EnumWindows(CountProxy, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Sessions one after another, the library loaded and unloaded each time as the scan library does
// it: the manager and its sources are not started again for each, and hold no more memory.
TEST(WexloSessions, RepeatedSessionsHoldNoMoreMemory) {
  auto committed = []() {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return static_cast<double>(m.PagefileUsage);
  };
  auto session = []() {
    HMODULE m = LoadLibraryA("wexlo.dll");
    ASSERT_NE(m, nullptr);
    auto load = reinterpret_cast<decltype(&TWAINLoad)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINLoad")));
    auto getDS = reinterpret_cast<decltype(&TWAINGetDS)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINGetDS")));
    auto free = reinterpret_cast<decltype(&TWAINFree)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINFree")));
    ASSERT_EQ(load(nullptr), 0);
    TW_IDENTITY id{};
    EXPECT_EQ(getDS(MSG_GETFIRST, &id), 0);
    EXPECT_EQ(free(), 0);
    FreeLibrary(m);
  };
  session();
  const double before = committed();
  for (int i = 0; i < 5; ++i) session();
  EXPECT_LT(committed() - before, 2.0 * 1024 * 1024);
}

// The proxy window goes with the library: loading and unloading it again and again leaves none.
TEST(WexloProxyWindow, GoesWhenTheLibraryIsUnloaded) {
  const int before = CountProxyWindows();
  for (int i = 0; i < 3; ++i) {
    HMODULE m = LoadLibraryA("wexlo.dll");
    ASSERT_NE(m, nullptr);
    auto load = reinterpret_cast<decltype(&TWAINLoad)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINLoad")));
    auto reg = reinterpret_cast<decltype(&TWAINRegister)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINRegister")));
    auto free = reinterpret_cast<decltype(&TWAINFree)>(reinterpret_cast<void*>(GetProcAddress(m, "TWAINFree")));
    TWAppInfo info{};
    reg(&info);
    // A later load without a window of the caller's keeps the one proxy.
    load(nullptr);
    reg(&info);
    EXPECT_EQ(CountProxyWindows(), before + 1);
    free();
    FreeLibrary(m);
    EXPECT_EQ(CountProxyWindows(), before);
  }
}

}  // namespace
