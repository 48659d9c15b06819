// zebdrv.dll's entry points, called directly.
#include <gtest/gtest.h>

#include <cstring>

#include "zebdrv_client.h"

namespace {

constexpr int32_t kInt16 = 0x8010, kInt32 = 0x8011, kFloat = 0x8012, kStr32 = 0x8014;

class ZebDrvTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(drv.Open()); }
  void TearDown() override {
    if (drv.KSFree) drv.KSFree();
    drv.Close();
    ForgetSimSettings();
  }
  void Load(const std::string& ini) {
    UseSimSettings(ini);
    ASSERT_EQ(drv.KSLoad(nullptr), 0);
  }
  void Set16(int32_t tag, int16_t v) { ASSERT_EQ(drv.KSSetValue(tag, kInt16, &v), 0) << std::hex << tag; }
  void Set32(int32_t tag, int32_t v) { ASSERT_EQ(drv.KSSetValue(tag, kInt32, &v), 0) << std::hex << tag; }

  // One query: its count and its values copied out; both blocks freed.
  struct Answer {
    uint32_t count = 0;
    std::vector<uint8_t> data;
    bool movable = false;
  };
  Answer Query(int32_t tag, int32_t type, size_t valueSize) {
    Answer a;
    HGLOBAL block = nullptr;
    EXPECT_EQ(drv.KSQueryData(tag, type, &block), 0) << std::hex << tag;
    if (!block) return a;
    auto* head = static_cast<KSQueryHeader*>(GlobalLock(block));
    a.count = head->Count;
    HGLOBAL data = static_cast<HGLOBAL>(head->Data);
    size_t n = (a.count ? a.count : 3) * valueSize;
    EXPECT_GE(GlobalSize(data), n);
    auto* values = static_cast<uint8_t*>(GlobalLock(data));
    a.movable = values != data && static_cast<void*>(head) != block;
    a.data.assign(values, values + n);
    GlobalUnlock(data);
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(data), nullptr);
    EXPECT_EQ(GlobalFree(block), nullptr);
    return a;
  }
  template <typename T>
  static T At(const Answer& a, size_t i) {
    T v;
    std::memcpy(&v, a.data.data() + i * sizeof(T), sizeof(T));
    return v;
  }

  ZebDrv drv;
};

TEST_F(ZebDrvTest, ListsItsSourcesWithTheRecordLayout) {
  Load("");
  KSSourceRecord rec;
  std::vector<std::string> names;
  for (int32_t msg = kKSGetFirst; drv.KSGetDS(msg, &rec) == 0; msg = kKSGetNext) {
    names.push_back(rec.ListName);
    if (names.size() == 1) {
      const char* raw = reinterpret_cast<const char*>(&rec);
      EXPECT_STREQ(raw + 171, rec.ListName);
      EXPECT_STREQ(raw + 213, "Quandrix");
      EXPECT_STREQ(raw + 0, "2.3.0");
      EXPECT_STREQ(std::string(raw + 13).append(raw + 138).c_str(), "ZebDrv ksaspi32.dll");
      EXPECT_STREQ(raw + 251, "Simulated SCSI Adapter");
      EXPECT_EQ(static_cast<uint8_t>(raw[280]), 3);
    }
    ASSERT_LT(names.size(), 10u);
  }
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].rfind("Quandrix - ZS-3000", 0), 0u);
  // Asking again from the start gives the first one again.
  ASSERT_EQ(drv.KSGetDS(kKSGetFirst, &rec), 0);
  EXPECT_EQ(names[0], rec.ListName);
  EXPECT_EQ(drv.KSSetDriverById(&rec, 1), 0);
  EXPECT_NE(drv.KSSetDriverById(&rec, 2), 0);
}

TEST_F(ZebDrvTest, SourcesComeFromTheSettingsFile) {
  Load("[Sources]\nCount=1\nName1=Acme - Model X\nManufacturer1=Acme\n");
  KSSourceRecord rec;
  ASSERT_EQ(drv.KSGetDS(kKSGetFirst, &rec), 0);
  EXPECT_STREQ(rec.ListName, "Acme - Model X");
  EXPECT_STREQ(rec.Manufacturer, "Acme");
  EXPECT_NE(drv.KSGetDS(kKSGetNext, &rec), 0);
}

TEST_F(ZebDrvTest, ProductNameComesFromTheSettingsFile) {
  Load("[Driver]\nProductName=RM430D2\n");
  Answer product = Query(0x9004, kStr32, 33);
  ASSERT_EQ(product.count, 1u);
  EXPECT_STREQ(reinterpret_cast<const char*>(product.data.data()), "RM430D2");
  char name[34] = {};
  ASSERT_EQ(drv.KSGetValue(0x9004, kStr32, name), 0);
  EXPECT_STREQ(name, "RM430D2");
}

TEST_F(ZebDrvTest, QueryBlocksForEveryKindOfValue) {
  Load("");
  Answer res = Query(0x9200, kInt32, 4);  // a list of 32-bit values
  EXPECT_TRUE(res.movable);
  ASSERT_EQ(res.count, 8u);
  EXPECT_EQ(At<int32_t>(res, 0), 75);
  EXPECT_EQ(At<int32_t>(res, 5), 300);
  EXPECT_EQ(At<int32_t>(res, 7), 600);

  Answer pix = Query(0x9202, kInt16, 2);  // a list of 16-bit values
  ASSERT_EQ(pix.count, 3u);
  EXPECT_EQ(At<int16_t>(pix, 2), 2);

  Answer bright = Query(0x9204, kInt16, 2);  // a range: minimum, maximum, step
  EXPECT_EQ(bright.count, 0u);
  EXPECT_EQ(At<int16_t>(bright, 0), 0);
  EXPECT_EQ(At<int16_t>(bright, 1), 255);
  EXPECT_EQ(At<int16_t>(bright, 2), 1);

  Answer gamma = Query(0x9208, kFloat, 4);  // a float range
  EXPECT_EQ(gamma.count, 0u);
  EXPECT_FLOAT_EQ(At<float>(gamma, 0), 0.5f);
  EXPECT_FLOAT_EQ(At<float>(gamma, 1), 4.0f);
  EXPECT_FLOAT_EQ(At<float>(gamma, 2), 0.1f);

  Answer dither = Query(0x9211, kStr32, 33);  // strings of the type's size
  ASSERT_EQ(dither.count, 4u);
  EXPECT_STREQ(reinterpret_cast<const char*>(dither.data.data()), "None");
  EXPECT_STREQ(reinterpret_cast<const char*>(dither.data.data() + 3 * 33), "Diffusion");

  Answer product = Query(0x9004, kStr32, 33);
  ASSERT_EQ(product.count, 1u);
  EXPECT_STREQ(reinterpret_cast<const char*>(product.data.data()), "ZS-3000");

  // The physical size follows the unit: pixels at 300 per inch, then inches.
  Answer height = Query(0x9400, kFloat, 4);
  ASSERT_EQ(height.count, 2u);
  EXPECT_FLOAT_EQ(At<float>(height, 0), 4200.0f);
  Set16(0x9504, 0);
  height = Query(0x9400, kFloat, 4);
  EXPECT_FLOAT_EQ(At<float>(height, 0), 14.0f);
  EXPECT_FLOAT_EQ(At<float>(height, 1), 11.69f);
  Answer width = Query(0x9503, kFloat, 4);  // the area: 0 to the largest physical size
  EXPECT_EQ(width.count, 0u);
  EXPECT_FLOAT_EQ(At<float>(width, 1), 8.5f);

  HGLOBAL none = nullptr;
  EXPECT_NE(drv.KSQueryData(0x9999, kInt16, &none), 0);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ZebDrvTest, SetValueTakesChoicesAndRefusesOthers) {
  Load("");
  struct Case {
    int32_t tag, type;
    double value;
    bool taken;
  } cases[] = {
      {0x9200, kInt32, 600, true},  {0x9200, kInt32, 310, false}, {0x9202, kInt16, 2, true},
      {0x9202, kInt16, 3, false},   {0x9204, kInt16, 200, true},  {0x9204, kInt16, 300, false},
      {0x9208, kFloat, 2.2, true},  {0x9208, kFloat, 5.0, false}, {0x9400, kFloat, 14, false},
      {0x9503, kFloat, 1200, true}, {0x9503, kFloat, 9000, false},
  };
  for (const Case& c : cases) {
    uint8_t buf[8] = {};
    if (c.type == kInt32) *reinterpret_cast<int32_t*>(buf) = int32_t(c.value);
    else if (c.type == kFloat) *reinterpret_cast<float*>(buf) = float(c.value);
    else *reinterpret_cast<int16_t*>(buf) = int16_t(c.value);
    EXPECT_EQ(drv.KSSetValue(c.tag, c.type, buf) == 0, c.taken) << std::hex << c.tag << " " << c.value;
  }
  int32_t xres = 0;
  ASSERT_EQ(drv.KSGetValue(0x9200, kInt32, &xres), 0);
  EXPECT_EQ(xres, 600);
  char dither[33] = "Bayer";
  EXPECT_EQ(drv.KSSetValue(0x9211, kStr32, dither), 0);
  std::strcpy(dither, "bayer");
  EXPECT_NE(drv.KSSetValue(0x9211, kStr32, dither), 0);
  char back[33] = {};
  ASSERT_EQ(drv.KSGetValue(0x9211, kStr32, back), 0);
  EXPECT_STREQ(back, "Bayer");
}

TEST_F(ZebDrvTest, PaperPresentFollowsTheFeeder) {
  Load("[Feeder]\nSheets=1\n");
  int16_t present = -1;
  ASSERT_EQ(drv.KSGetValue(0x9603, kInt16, &present), 0);
  EXPECT_EQ(present, 1);
  ScanRecorder rec;
  EXPECT_EQ(rec.Scan(drv, nullptr), 0);
  ASSERT_EQ(drv.KSGetValue(0x9603, kInt16, &present), 0);
  EXPECT_EQ(present, 0);
  ScanRecorder empty;
  EXPECT_EQ(empty.Scan(drv, nullptr), -16);  // a feeder scan with no paper
  EXPECT_TRUE(empty.pages.empty());
}

TEST_F(ZebDrvTest, BackgroundLinesFillTheBuffer) {
  Load("");
  Set16(0x9202, 1);
  Set16(0x930d, 4);
  Set32(0x9200, 100);
  std::vector<uint8_t> buf(4 * 850 + 16, 0x55);
  ASSERT_EQ(drv.KSGetValue(0x930d, kInt16, buf.data()), 0);
  EXPECT_EQ(buf[0], 0xF0);
  EXPECT_EQ(buf[4 * 850 - 1], 0xF0);
  EXPECT_EQ(buf[4 * 850], 0x55);  // nothing past the lines
}

TEST_F(ZebDrvTest, ScanDeliversEveryPageAsRowBlocks) {
  struct Case {
    const char* ini;
    int16_t pixelType;
    int32_t res;
    int bits;
    std::vector<int> pages;
  } cases[] = {
      {"[Feeder]\nSheets=3\n", 1, 100, 8, {1, 2, 3}},
      {"[Feeder]\nSheets=2\nDuplex=1\nPaper=A4\n", 0, 150, 1, {1, 2, 3, 4}},
      {"[Feeder]\nSheets=1\nPaper=Legal\n", 2, 75, 24, {1}},
  };
  for (const Case& c : cases) {
    Load(c.ini);
    Set16(0x9202, c.pixelType);
    Set32(0x9200, c.res);
    Set32(0x9201, c.res);
    ScanRecorder rec;
    rec.blockSize = 40000;
    std::vector<uint8_t> buffer(40000);
    ASSERT_EQ(rec.Scan(drv, buffer.data()), 0) << c.ini;
    ASSERT_EQ(rec.pages.size(), c.pages.size()) << c.ini;
    for (size_t i = 0; i < rec.pages.size(); ++i) {
      const ReceivedPage& p = rec.pages[i];
      EXPECT_EQ(p.info.XResolution, c.res);
      EXPECT_EQ(p.info.BitsPerPixel, c.bits);
      EXPECT_EQ(p.info.PixelType, c.pixelType);
      EXPECT_EQ(p.info.SamplesPerPixel, c.pixelType == 2 ? 3 : 1);
      EXPECT_TRUE(p.complete);
      // Blocks of whole rows that fit the asked size, code 0 and the last one 1.
      ASSERT_GE(p.codes.size(), 2u);
      EXPECT_EQ(p.codes.back(), 1);
      for (size_t k = 0; k + 1 < p.codes.size(); ++k) EXPECT_EQ(p.codes[k], 0);
      size_t rowBytes = (p.info.ImageWidth * p.info.BitsPerPixel + 7) / 8;
      EXPECT_EQ(p.rows.size(), rowBytes * p.info.ImageLength);
      EXPECT_EQ(rec.PageNumber(i), c.pages[i]) << c.ini << " page " << i;
    }
    drv.KSFree();
  }
}

TEST_F(ZebDrvTest, ScanAreaCutsThePage) {
  Load("");
  Set16(0x9202, 1);
  Set32(0x9200, 100);
  Set32(0x9201, 100);
  Set16(0x9504, 0);  // inches
  float w = 4.0f, l = 5.0f;
  ASSERT_EQ(drv.KSSetValue(0x9503, kFloat, &w), 0);
  ASSERT_EQ(drv.KSSetValue(0x9502, kFloat, &l), 0);
  ScanRecorder rec;
  ASSERT_EQ(rec.Scan(drv, nullptr), 0);
  ASSERT_EQ(rec.pages.size(), 3u);
  EXPECT_EQ(rec.pages[0].info.ImageWidth, 400);
  EXPECT_EQ(rec.pages[0].info.ImageLength, 500);
  EXPECT_EQ(rec.PageNumber(1), 2);
}

TEST_F(ZebDrvTest, EachFaultAnswersAnErrorAndLosesNoPage) {
  struct Case {
    const char* kind;
    int32_t code;
    bool partialPage;  // the fault strikes inside the page
  } cases[] = {{"jam", -12, true}, {"device", -13, true}, {"nopaper", -16, false}, {"cancel", -5, false}};
  for (const Case& c : cases) {
    Load(std::string("[Feeder]\nSheets=3\n[Fault]\nPage=2\nKind=") + c.kind + "\n");
    Set32(0x9200, 75);
    Set32(0x9201, 75);
    ScanRecorder first;
    EXPECT_EQ(first.Scan(drv, nullptr), c.code) << c.kind;
    ASSERT_EQ(first.pages.size(), c.partialPage ? 2u : 1u) << c.kind;
    EXPECT_TRUE(first.pages[0].complete);
    EXPECT_EQ(first.PageNumber(0), 1);
    if (c.partialPage) {
      EXPECT_FALSE(first.pages[1].complete);
      EXPECT_EQ(first.errors, std::vector<int32_t>{c.code});
    } else {
      EXPECT_TRUE(first.errors.empty());
    }
    ScanRecorder second;
    EXPECT_EQ(second.Scan(drv, nullptr), 0) << c.kind;
    ASSERT_EQ(second.pages.size(), 2u) << c.kind;
    EXPECT_EQ(second.PageNumber(0), 2);
    EXPECT_EQ(second.PageNumber(1), 3);
    drv.KSFree();
  }
}

TEST_F(ZebDrvTest, CallbackStopEndsTheScanAfterThatPage) {
  Load("[Feeder]\nSheets=3\n");
  Set32(0x9200, 75);
  Set32(0x9201, 75);
  ScanRecorder first;
  first.stopAtPage = 1;
  first.stopAnswer = -1;
  EXPECT_EQ(first.Scan(drv, nullptr), -1);
  EXPECT_EQ(first.pages.size(), 1u);
  ScanRecorder second;
  EXPECT_EQ(second.Scan(drv, nullptr), 0);
  ASSERT_EQ(second.pages.size(), 2u);
  EXPECT_EQ(second.PageNumber(0), 2);
}

TEST_F(ZebDrvTest, LoadWhileRunningKeepsTheDevice) {
  Load("[Feeder]\nSheets=3\n");
  Set32(0x9200, 75);
  Set32(0x9201, 75);
  ScanRecorder first;
  first.stopAtPage = 1;
  first.stopAnswer = -1;
  first.Scan(drv, nullptr);
  UseSimSettings("[Feeder]\nSheets=9\n");
  ASSERT_EQ(drv.KSLoad(nullptr), 0);
  int32_t xres = 0;
  ASSERT_EQ(drv.KSGetValue(0x9200, kInt32, &xres), 0);
  EXPECT_EQ(xres, 75);
  ScanRecorder second;
  EXPECT_EQ(second.Scan(drv, nullptr), 0);
  EXPECT_EQ(second.pages.size(), 2u);  // the same feeder, pages 2 and 3
}

TEST_F(ZebDrvTest, SettingsFileCanBeNamedInTheRegistry) {
  std::string path = WriteSimSettings("[Feeder]\nSheets=1\n[Sources]\nCount=1\nName1=From Registry\n");
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix\\ZebSim", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, "ConfigFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 DWORD(path.size() + 1));
  RegCloseKey(key);
  EXPECT_EQ(drv.KSLoad(nullptr), 0);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix\\ZebSim");
  KSSourceRecord rec;
  ASSERT_EQ(drv.KSGetDS(kKSGetFirst, &rec), 0);
  EXPECT_STREQ(rec.ListName, "From Registry");
  DeleteFileA(path.c_str());
}

TEST_F(ZebDrvTest, LoadAnswersWhatTheSettingsSay) {
  UseSimSettings("[Driver]\nLoadResult=-13\n");
  EXPECT_EQ(drv.KSLoad(nullptr), -13);
  KSSourceRecord rec;
  EXPECT_NE(drv.KSGetDS(kKSGetFirst, &rec), 0);  // not started
  SetEnvironmentVariableA("ZEBSIM_CONFIG", "c:\\no\\such\\settings.ini");
  EXPECT_EQ(drv.KSLoad(nullptr), -13);
  ForgetSimSettings();
  EXPECT_EQ(drv.KSLoad(nullptr), 0);
}

}  // namespace
