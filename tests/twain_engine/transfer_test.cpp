// Strip-by-strip memory and file transfers through the scripted manager: every byte, the image
// information, the page file names.
#include <cstring>
#include <string>
#include <vector>

#include "engine_fixture.h"

namespace {

struct Received {
  std::vector<TWImageInfoRec> infos;
  std::vector<std::vector<uint8_t>> pages;
  std::vector<int32_t> codes;
  std::vector<std::string> files;
  std::vector<uint32_t> sizes;
  uint32_t wanted = 4096;
  std::vector<uint8_t> buffer;
};
Received* g_rx = nullptr;

int32_t __stdcall MemCallback(void* p, uint32_t* q, int32_t code) {
  Received& rx = *g_rx;
  rx.codes.push_back(code);
  if (code == 2) {
    rx.infos.push_back(*static_cast<TWImageInfoRec*>(p));
    rx.pages.emplace_back();
    *q = rx.wanted;
    return 0;
  }
  if (code < 0) return 0;
  const uint8_t* data = static_cast<const uint8_t*>(p);
  rx.pages.back().insert(rx.pages.back().end(), data, data + *q);
  return 0;
}

int32_t __stdcall FileCallback(void* p, uint32_t* q, int32_t code) {
  Received& rx = *g_rx;
  rx.codes.push_back(code);
  if (code == 2) return 0;
  rx.files.push_back(static_cast<const char*>(p));
  rx.sizes.push_back(*q);
  return 0;
}

// An 8-bit palette page at 299.5 by 300 dpi.
TW_IMAGEINFO PaletteInfo(int32_t width, int32_t length) {
  return EightBitInfo(width, length, TWPT_PALETTE, {299, 0x8000});
}

class TransferTest : public ScriptedEngineTest {
 protected:
  void SetUp() override {
    ScriptedEngineTest::SetUp();
    g_rx = &rx_;
  }
  void Run(uint32_t mech, TWAcquireCallback fn, void* data) {
    if (nState < 4) OpenSource();
    TWAINSetValue(ICAP_XFERMECH, TWON_ONEVALUE, &mech);
    ScriptQueueEvent(MSG_XFERREADY);
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    result_ = TWAINAcquire(fn, data);
  }
  Received rx_;
  int32_t result_ = 0;
};

TEST_F(TransferTest, MemoryStripsDeliverEveryByteOfEveryPage) {
  TW_IMAGEINFO info = PaletteInfo(100, 100);
  ScriptPages(3, &info, 10000);
  ScriptMemLimits(100, 8192, 2048);
  rx_.buffer.resize(8192);
  Run(TWSX_MEMORY, MemCallback, rx_.buffer.data());
  EXPECT_EQ(result_, 0);
  EXPECT_EQ(nState, 4);
  ASSERT_EQ(rx_.pages.size(), 3u);
  for (uint32_t p = 0; p < 3; ++p) {
    ASSERT_EQ(rx_.pages[p].size(), 10000u) << p;
    for (uint32_t i = 0; i < 10000; ++i) ASSERT_EQ(rx_.pages[p][i], ScriptPageByte(p, i)) << p << ":" << i;
    EXPECT_EQ(rx_.infos[p].XResolution, 299) << "FIX32 truncated";
    EXPECT_EQ(rx_.infos[p].PixelType, TWPT_RGB) << "a palette image is reported as RGB";
    EXPECT_EQ(rx_.infos[p].Preferred, 2048u);
    EXPECT_EQ(rx_.infos[p].ImageWidth, 100);
  }
  // 10000 bytes in blocks of 4096: 0, 0, then the last one with 1.
  std::vector<int32_t> onePage = {2, 0, 0, 1};
  std::vector<int32_t> expected;
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), onePage.begin(), onePage.end());
  EXPECT_EQ(rx_.codes, expected);
  // Memory.Length follows the wanted size, capped by the larger of the source's limits.
  auto log = Requests();
  for (const auto& r : log) {
    if (r.dat != DAT_IMAGEMEMXFER) continue;
    TW_IMAGEMEMXFER m;
    std::memcpy(&m, r.data, sizeof m);
    EXPECT_EQ(m.Memory.Length, 4096u);
    EXPECT_EQ(m.Memory.Flags, TWMF_APPOWNS | TWMF_POINTER);
  }
}

TEST_F(TransferTest, SourceThatSendsNothingEndsTheImageInsteadOfSpinning) {
  TW_IMAGEINFO info = PaletteInfo(100, 100);
  ScriptPages(2, &info, 10000);
  rx_.wanted = 0;
  rx_.buffer.resize(16);
  Run(TWSX_MEMORY, MemCallback, rx_.buffer.data());
  EXPECT_NE(result_, 0);
  EXPECT_EQ(nState, 4);
  EXPECT_EQ(Count(Requests(), DAT_IMAGEMEMXFER, MSG_GET), 1);
}

TEST_F(TransferTest, RefusedImageInformationEndsBeforeAnyData) {
  TW_IMAGEINFO info = PaletteInfo(100, 100);
  ScriptPages(2, &info, 10000);
  ScriptAnswer(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, TWRC_FAILURE, TWCC_OPERATIONERROR, 1);
  rx_.buffer.resize(8192);
  Run(TWSX_MEMORY, MemCallback, rx_.buffer.data());
  EXPECT_EQ(result_, -4);
  EXPECT_TRUE(rx_.codes.empty());
  EXPECT_EQ(Count(Requests(), DAT_IMAGEMEMXFER, MSG_GET), 0);
  EXPECT_EQ(nState, 4);
}

TEST_F(TransferTest, StripFailureIsReportedAndTheTransfersReset) {
  TW_IMAGEINFO info = PaletteInfo(100, 100);
  ScriptPages(2, &info, 10000);
  ScriptAnswer(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TWRC_FAILURE, TWCC_PAPERJAM, 1);
  rx_.buffer.resize(8192);
  Run(TWSX_MEMORY, MemCallback, rx_.buffer.data());
  EXPECT_EQ(result_, -12);
  ASSERT_GE(rx_.codes.size(), 2u);
  EXPECT_EQ(rx_.codes[1], -12) << "the callback hears the error";
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_PENDINGXFERS, MSG_RESET), 1);
  EXPECT_EQ(nState, 4);
}

std::vector<uint8_t> OneValueBool(uint16_t v) {
  std::vector<uint8_t> b(6, 0);
  uint16_t t = TWTY_BOOL;
  std::memcpy(&b[0], &t, 2);
  std::memcpy(&b[2], &v, 2);
  return b;
}

TEST_F(TransferTest, DuplexFileNamesAndTheWrittenNameGoToTheCallback) {
  // Duplex comes back as an enumeration whose current item is 1: read by its container.
  std::vector<uint8_t> e(14 + 4, 0);
  uint16_t t = TWTY_BOOL;
  uint32_t n = 2, cur = 1, def = 0;
  uint16_t items[2] = {0, 1};
  std::memcpy(&e[0], &t, 2);
  std::memcpy(&e[2], &n, 4);
  std::memcpy(&e[6], &cur, 4);
  std::memcpy(&e[10], &def, 4);
  std::memcpy(&e[14], items, 4);
  ScriptContainer(CAP_DUPLEXENABLED, TWON_ENUMERATION, e.data(), static_cast<uint32_t>(e.size()));
  auto feeder = OneValueBool(1);
  ScriptContainer(CAP_FEEDERENABLED, TWON_ONEVALUE, feeder.data(), 6);
  TW_IMAGEINFO info = PaletteInfo(4, 4);
  ScriptPages(4, &info, 16);
  char path[] = "C:\\scan\\page.tif";
  Run(TWSX_FILE, FileCallback, path);
  EXPECT_EQ(result_, 0);
  std::vector<std::string> expected = {"C:\\scan\\page000001A.bmp", "C:\\scan\\page000001B.bmp",
                                       "C:\\scan\\page000002A.bmp", "C:\\scan\\page000002B.bmp"};
  EXPECT_EQ(rx_.files, expected);
  for (uint32_t s : rx_.sizes) EXPECT_EQ(s, 12u) << "the base length";
  auto log = Requests();
  std::vector<std::string> sent;
  for (const auto& r : log) {
    if (r.dat != DAT_SETUPFILEXFER) continue;
    TW_SETUPFILEXFER f;
    std::memcpy(&f, r.data, sizeof f);
    sent.push_back(f.FileName);
    EXPECT_EQ(f.Format, TWFF_BMP);
  }
  EXPECT_EQ(sent, expected);
}

TEST_F(TransferTest, FileNumbersRunOnAcrossScansOfOneAcquisition) {
  auto on = OneValueBool(1), off = OneValueBool(0);
  ScriptContainer(CAP_DUPLEXENABLED, TWON_ONEVALUE, off.data(), 6);
  ScriptContainer(CAP_FEEDERENABLED, TWON_ONEVALUE, on.data(), 6);
  TW_IMAGEINFO info = PaletteInfo(4, 4);
  ScriptPages(2, &info, 16);
  ScriptPagesPerEvent(2);
  OpenSource();
  uint32_t one = 1, file = TWSX_FILE;
  TWAINSetValue(0x9050, TWON_ONEVALUE, &one);  // the source keeps its window: two scans
  TWAINSetValue(ICAP_XFERMECH, TWON_ONEVALUE, &file);
  for (uint16_t e : {MSG_XFERREADY, MSG_XFERREADY, MSG_CLOSEDSREQ}) {
    ScriptQueueEvent(e);
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  }
  char path[] = "C:\\scan\\doc";
  result_ = TWAINAcquire(FileCallback, path);
  EXPECT_EQ(result_, 0);
  std::vector<std::string> expected = {"C:\\scan\\doc000001.bmp", "C:\\scan\\doc000002.bmp",
                                       "C:\\scan\\doc000003.bmp", "C:\\scan\\doc000004.bmp"};
  EXPECT_EQ(rx_.files, expected);
  EXPECT_EQ(nState, 1) << "the operator closed the source's window";
}

}  // namespace
