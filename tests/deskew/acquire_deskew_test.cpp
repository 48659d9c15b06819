// Deskew and crop during acquisition, through pavlot.dll loaded by name from a case folder that
// holds what the case needs: pages the simulated scanner lays skewed on its black plate arrive
// upright and cut to the paper; without cropdeskew2.dll they arrive as scanned. The pages are also
// written as BMP files, whose remaining skew ImageMagick measures afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "page_checks.h"
#include "pavlot_scan_client.h"
#include "test_files.h"

namespace {

constexpr uint16_t kScanType = 0x9100, kTransferMode = 0x9102, kXRes = 0x9200, kYRes = 0x9201;
constexpr uint16_t kPixelType = 0x9202, kBackground = 0x9008, kDeskew = 0x9307;
constexpr uint16_t kAutoCrop = 0x9309, kBackgroundLines = 0x930d;
constexpr const char* kSkewedSheets = "[Feeder]\nSheets=2\n[Plate]\nSkew=3\nMargin=0.5\n";

uint32_t Get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

struct DibSize {
  int width, length, bits, dpi;
  size_t pixelBytes;  // rows as the header says they are
};

DibSize SizeOf(const std::vector<uint8_t>& dib) {
  const uint8_t* h = dib.data();
  DibSize s;
  s.width = int32_t(Get32(h + 4));
  s.length = std::abs(int32_t(Get32(h + 8)));
  s.bits = h[14];
  s.dpi = int(Get32(h + 24) / 39.37 + 0.5);
  s.pixelBytes = size_t((uint32_t(s.width) * s.bits + 31) / 32 * 4) * s.length;
  return s;
}

// The darkest share of a DIB's outermost rows and columns: 0 when no plate shows at its edges.
double DarkEdgeShare(const std::vector<uint8_t>& dib) {
  const uint8_t* h = dib.data();
  const DibSize s = SizeOf(dib);
  const uint32_t colours = Get32(h + 32) ? Get32(h + 32) : (s.bits <= 8 ? 1u << s.bits : 0);
  const uint8_t* pixels = h + Get32(h) + 4 * colours;
  const size_t stride = (uint32_t(s.width) * s.bits + 31) / 32 * 4;
  auto dark = [&](int x, int y) {
    const uint8_t* row = pixels + stride * y;
    if (s.bits == 1) {
      const int index = (row[x / 8] >> (7 - x % 8)) & 1;
      return h[Get32(h) + 4 * index] < 64;  // the palette's blue, as gray as the rest
    }
    if (s.bits == 8) return h[Get32(h) + 4 * row[x]] < 64;
    return row[3 * x + 1] < 64;
  };
  int count = 0, total = 0;
  for (int x = 0; x < s.width; ++x, total += 2) count += dark(x, 0) + dark(x, s.length - 1);
  for (int y = 0; y < s.length; ++y, total += 2) count += dark(0, y) + dark(s.width - 1, y);
  return double(count) / total;
}

void WriteBmp(const std::string& path, const std::vector<uint8_t>& dib) {
  const uint8_t* h = dib.data();
  const uint32_t colours = Get32(h + 32) ? Get32(h + 32) : (h[14] <= 8 ? 1u << h[14] : 0);
  const uint32_t offset = 14 + Get32(h) + 4 * colours;
  const uint32_t fileSize = 14 + uint32_t(dib.size());
  uint8_t header[14] = {'B', 'M'};
  std::memcpy(header + 2, &fileSize, 4);
  std::memcpy(header + 10, &offset, 4);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  out.write(reinterpret_cast<const char*>(dib.data()), std::streamsize(dib.size()));
}

class AcquireDeskew : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetStoredSettings();
    program = FolderOfThisProgram();
    bin = FolderAboveThisProgram();
    CreateDirectoryA((program + "pages").c_str(), nullptr);
  }
  void TearDown() override {
    if (pavlot.ZebFree) pavlot.ZebFree();
    pavlot.Unload();
    SetDllDirectoryA(nullptr);
    if (!caseFolder.empty()) DeleteFolder(caseFolder);
    ForgetScanner();
    ForgetStoredSettings();
    Record(nullptr);
  }
  // A case folder with these libraries from bin/, where pavlot.dll finds its own.
  void UseLibraries(const std::string& name, const std::vector<std::string>& libraries) {
    caseFolder = program + name + "\\";
    DeleteFolder(caseFolder);
    ASSERT_TRUE(CreateDirectoryA(caseFolder.c_str(), nullptr));
    for (const std::string& lib : libraries)
      ASSERT_TRUE(CopyFileA((bin + lib).c_str(), (caseFolder + lib).c_str(), FALSE)) << lib;
    SetDllDirectoryA(caseFolder.c_str());
  }
  void Start(int pixelType, int dpi, bool blackPlate = true) {
    UseScanner(kSkewedSheets);
    ASSERT_TRUE(pavlot.Load());
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
    ASSERT_EQ(pavlot.Set16(kPixelType, pixelType), 0);
    ASSERT_EQ(pavlot.Set32(kXRes, dpi), 0);
    ASSERT_EQ(pavlot.Set32(kYRes, dpi), 0);
    ASSERT_EQ(pavlot.Set16(kScanType, 1), 0);
    ASSERT_EQ(pavlot.Set16(kTransferMode, 1), 0);
    ASSERT_EQ(pavlot.Set16(kBackground, blackPlate ? 1 : 0), 0);
    ASSERT_EQ(pavlot.Set16(kDeskew, 1), 0);
    ASSERT_EQ(pavlot.Set16(kAutoCrop, 1), 0);
    ASSERT_EQ(pavlot.Set16(kBackgroundLines, 20), 0);
  }

  std::string program, bin, caseFolder;
  PavlotScan pavlot;
  ReceivedScan scan;
};

struct KindCase {
  const char* name;
  int pixelType, dpi;
};

class AcquireDeskewKinds : public AcquireDeskew, public ::testing::WithParamInterface<KindCase> {};

TEST_P(AcquireDeskewKinds, SkewedPagesArriveUprightAndCutToThePaper) {
  const KindCase& c = GetParam();
  UseLibraries(std::string("with_step_") + c.name, {"pavlot.dll", "zebdrv.dll", "cropdeskew2.dll"});
  Start(c.pixelType, c.dpi);
  Record(&scan);
  ASSERT_EQ(pavlot.ZebAcquire(RecordPage), 0);
  ASSERT_EQ(scan.dibs.size(), 2u);
  for (size_t i = 0; i < scan.dibs.size(); ++i) {
    const DibSize s = SizeOf(scan.dibs[i]);
    EXPECT_EQ(s.dpi, c.dpi);
    EXPECT_NEAR(s.width / double(c.dpi), 8.5, 0.05) << "page " << i + 1;
    EXPECT_NEAR(s.length / double(c.dpi), 11.0, 0.05) << "page " << i + 1;
    // Never longer than its header says: the rows fill the block exactly.
    EXPECT_LE(s.pixelBytes + 40 + 4 * Get32(scan.dibs[i].data() + 32), scan.dibs[i].size());
    EXPECT_LT(DarkEdgeShare(scan.dibs[i]), 0.01) << "plate at the edges of page " << i + 1;
    EXPECT_EQ(DibPageNumber(scan.dibs[i]), int(i) + 1) << "the page upright and its corner in place";
    WriteBmp(program + "pages\\" + c.name + "_" + std::to_string(i + 1) + ".bmp", scan.dibs[i]);
  }
  EXPECT_EQ(scan.infos.size(), 4u) << "each page announced, then announced again at its new size";
}

INSTANTIATE_TEST_SUITE_P(Kinds, AcquireDeskewKinds,
                         ::testing::Values(KindCase{"gray", 1, 150}, KindCase{"colour", 2, 100},
                                           KindCase{"bw", 0, 150}),
                         [](const ::testing::TestParamInfo<KindCase>& i) { return std::string(i.param.name); });

TEST_F(AcquireDeskew, WithoutTheDeskewLibraryPagesArriveAsScanned) {
  UseLibraries("without_step", {"pavlot.dll", "zebdrv.dll"});
  Start(1, 100);
  Record(&scan);
  ASSERT_EQ(pavlot.ZebAcquire(RecordPage), 0);
  ASSERT_EQ(scan.dibs.size(), 2u);
  const DibSize s = SizeOf(scan.dibs[0]);
  EXPECT_EQ(s.width, 950) << "the whole frame: the paper and half an inch of plate each side";
  EXPECT_EQ(s.length, 1200);
  EXPECT_GT(DarkEdgeShare(scan.dibs[0]), 0.9);
}

TEST_F(AcquireDeskew, NoBackgroundLinesLeaveTheStepOff) {
  UseLibraries("settings_off", {"pavlot.dll", "zebdrv.dll", "cropdeskew2.dll"});
  Start(1, 100, false);
  ASSERT_EQ(pavlot.Set16(kBackgroundLines, 0), 0);  // no background lines: the step stays off
  Record(&scan);
  ASSERT_EQ(pavlot.ZebAcquire(RecordPage), 0);
  ASSERT_EQ(scan.dibs.size(), 2u);
  EXPECT_EQ(SizeOf(scan.dibs[0]).width, 950);
  EXPECT_EQ(scan.infos[0].ImageWidth, -1) << "the size stays unknown while deskew is asked for";
  EXPECT_EQ(scan.infos.size(), 2u);
}

}  // namespace
