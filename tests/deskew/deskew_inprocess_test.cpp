// The library's own objects linked into the test, over the simulated scanner's zebdrv.dll and
// the cropdeskew2.dll and zebip.dll beside it: the deskew step keeps no block after a scan, a
// step that cannot start lets the pages through as scanned, and ZebDoDeskew hands its
// arguments to zebip.dll.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "acquire_memory.h"
#include "library_state.h"
#include "pavlot.h"
#include "plate_page.h"
#include "tag_exports.h"

namespace {

std::vector<int32_t> gWidths;

int32_t __stdcall TakePage(void* data, uint32_t*, int32_t event) {
  if (event != 1) return 0;
  HGLOBAL dib = *static_cast<HGLOBAL*>(data);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  gWidths.push_back(header->biWidth);
  GlobalUnlock(dib);
  EXPECT_EQ(GlobalFree(dib), nullptr);
  return 0;
}

class DeskewInProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    gWidths.clear();
  }
  void TearDown() override {
    FailAcquireAllocAfter(-1);
    ZebFree();
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    DeleteFileA(settings.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }
  void Start() {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "zds", 0, path);
    std::ofstream(path, std::ios::binary) << "[Feeder]\nSheets=2\n[Plate]\nSkew=3\n";
    settings = path;
    SetEnvironmentVariableA("ZEBSIM_CONFIG", path);
    ASSERT_EQ(ZebLoad(nullptr), 0);
    const struct { uint16_t tag; int16_t value; } shorts[] = {
        {0x9102, 1}, {0x9202, 1}, {0x9100, 1}, {0x9008, 1}, {0x9307, 1}, {0x930d, 20}};
    for (const auto& s : shorts) {
      int16_t v = s.value;
      ASSERT_EQ(ZebSetValue(s.tag, &v), 0) << std::hex << s.tag;
    }
    int32_t dpi = 100;
    ASSERT_EQ(ZebSetValue(0x9200, &dpi), 0);
    ASSERT_EQ(ZebSetValue(0x9201, &dpi), 0);
  }
  std::string settings;
};

TEST_F(DeskewInProcess, CorrectedScanKeepsNoBlock) {
  Start();
  ASSERT_NE(gLib.aux.deskew_crop_option, nullptr) << "cropdeskew2.dll beside the test";
  EXPECT_EQ(ZebAcquire(TakePage), 0);
  EXPECT_EQ(gWidths, (std::vector<int32_t>{850, 850}));
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

TEST_F(DeskewInProcess, StepThatCannotStartLetsThePagesThroughAsScanned) {
  Start();
  FailAcquireAllocAfter(1);  // the transfer buffer, then the background lines' block fails
  EXPECT_EQ(ZebAcquire(TakePage), 0);
  EXPECT_EQ(gWidths, (std::vector<int32_t>{950, 950})) << "the whole frame, uncorrected";
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

// A gray page DIB of the simulated scanner's page lying 3 degrees skewed on a white plate.
HGLOBAL SkewedPage() {
  zebsim::PageFormat f;
  f.kind = zebsim::PixelKind::Gray;
  f.xResolution = f.yResolution = 100;
  zebsim::PlateSetup plate;
  plate.on = true;
  plate.skewDegrees = 3;
  zebsim::PlatePage page(f, 1, plate, false);
  const int w = page.Frame().width, h = page.Frame().length, stride = (w + 3) & ~3;
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 1024 + size_t(stride) * h);
  auto* bytes = static_cast<uint8_t*>(GlobalLock(dib));
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = w;
  header.biHeight = h;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biClrUsed = 256;
  header.biXPelsPerMeter = header.biYPelsPerMeter = 3937;
  std::memcpy(bytes, &header, 40);
  for (int i = 0; i < 256; ++i) std::memset(bytes + 40 + 4 * i, i, 3);
  for (int y = 0; y < h; ++y) page.Row(y, bytes + 40 + 1024 + size_t(h - 1 - y) * stride);
  GlobalUnlock(dib);
  return dib;
}

TEST_F(DeskewInProcess, DoDeskewGoesToZebip) {
  Start();
  HGLOBAL page = SkewedPage();
  HGLOBAL straight = nullptr;
  int32_t hundredths = 0;
  EXPECT_EQ(ZebDoDeskew(intptr_t(page), intptr_t(&straight), intptr_t(&hundredths), 5, 128, 0, 0), 0);
  EXPECT_NEAR(hundredths, 300, 20);
  ASSERT_NE(straight, nullptr);
  EXPECT_EQ(GlobalFree(straight), nullptr);
  const auto saved = gLib.aux.DoDeskew;
  gLib.aux.DoDeskew = nullptr;
  EXPECT_EQ(ZebDoDeskew(intptr_t(page), intptr_t(&straight), 0, 0, 0, 0, 0), -7) << "zebip.dll absent";
  gLib.aux.DoDeskew = saved;
  GlobalFree(page);
}

}  // namespace
