// The page services' exports as a caller links them: each takes exactly its arguments off the
// stack (i686), and colour drop-out through FilterDll.dll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_services_fixture.h"
#include "stdcall_probe.h"
#include "test_dibs.h"

namespace {

class ServiceExports : public PageServicesTest {
 protected:
  void SetUp() override {
    PageServicesTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(LoadOver("[Feeder]\nSheets=1\n"));
  }
};

TEST_F(ServiceExports, EachExportPopsItsArguments) {
#ifndef __i386__
  GTEST_SKIP() << "stdcall argument bytes are checked on the i686 build";
#else
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  const int16_t kindOther = 3, kindFile = 2;
  const std::string tif = OutputFolder() + "probe.tif";
  struct Case {
    const char* name;
    std::vector<uint32_t> arguments;
    int32_t expected;
  };
  const Case cases[] = {
      {"ZebDoOCR", {uint32_t(uintptr_t(tif.c_str())), uint32_t(uintptr_t(&kindFile)), 0}, -7},
      {"ZebDBarCode", {0, 0, 0}, -7},  // no zebbcode.dll beside this program: -7 or -8
      {"ZebBlankPage", {uint32_t(uintptr_t(tif.c_str())), uint32_t(uintptr_t(&kindOther))}, -4},
      {"ZebAutoImage", {uint32_t(uintptr_t(tif.c_str())), 3, 0, 0}, -4},
      {"ZebScale2Gray", {uint32_t(uintptr_t(tif.c_str())), 1, 0, 0}, -7},
      {"ZebColorDrop", {0, 0, 0, 0}, 0},
  };
  for (const Case& c : cases) {
    const void* f = reinterpret_cast<const void*>(pavlot.Export(c.name));
    ASSERT_TRUE(f) << c.name;
    int32_t result = 1;
    const int32_t popped = CallCountingPops(f, c.arguments.data(), int32_t(c.arguments.size()), &result);
    EXPECT_EQ(popped, int32_t(4 * c.arguments.size())) << c.name;
    if (std::string(c.name) == "ZebDBarCode") EXPECT_TRUE(result == -7 || result == -8);
    else EXPECT_EQ(result, c.expected) << c.name;
  }
#endif
}

bool BlueHued(uint8_t r, uint8_t g, uint8_t b) {
  // Hue from 190 to 270 degrees with some saturation, computed the usual HSV way.
  const double R = r / 255.0, G = g / 255.0, B = b / 255.0;
  const double hi = std::max({R, G, B}), lo = std::min({R, G, B}), c = hi - lo;
  if (hi <= 0 || c / hi < 0.2) return false;
  double h;
  if (hi == R) h = 60 * ((G - B) / c);
  else if (hi == G) h = 60 * ((B - R) / c + 2);
  else h = 60 * ((R - G) / c + 4);
  if (h < 0) h += 360;
  return h >= 190 && h <= 270;
}

TEST_F(ServiceExports, ColourDropLeavesNoBlueAndKeepsTheText) {
  // A form: light and dark blue ruled lines, a blue box, black text crossing them.
  const int width = 1275, height = 400;
  auto page = testdibs::Colour(width, height, [](int x, int y) -> uint32_t {
    const bool text = testdibs::TextInk(x + 100, y + 8);
    if (text) return 0x000000;
    if (y % 40 == 0 || y % 40 == 1) return 0x6495ED;  // cornflower blue lines
    if (x == 60 || x == 61 || (y == 5 && x > 60)) return 0x1E3C9B;  // dark blue box
    if (y % 40 == 20) return 0xA8C8F0;  // pale blue guide lines
    return 0xFFFFFF;
  });
  const uint32_t stride = (width * 3 + 3) / 4 * 4;
  uint8_t* rows = &page[40];
  std::vector<uint8_t> before(rows, rows + size_t(stride) * height);
  auto drop = reinterpret_cast<int32_t(__stdcall*)(intptr_t, intptr_t, intptr_t, intptr_t)>(
      pavlot.Export("ZebColorDrop"));
  ASSERT_TRUE(drop);
  // Before the library started FilterDll.dll is not loaded: nothing happens.
  EXPECT_EQ(drop(intptr_t(rows), width, height, stride), 0);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), rows));
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(drop(intptr_t(rows), width, height, stride), 0);
  int blue = 0, blackKept = 0, blackLost = 0, whiteChanged = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = rows + size_t(y) * stride + 3 * x;
      const uint8_t* q = before.data() + size_t(y) * stride + 3 * x;
      if (BlueHued(p[2], p[1], p[0])) ++blue;
      const bool wasBlack = q[0] == 0 && q[1] == 0 && q[2] == 0;
      const bool isBlack = p[0] == 0 && p[1] == 0 && p[2] == 0;
      if (wasBlack) (isBlack ? blackKept : blackLost)++;
      if (q[0] == 255 && q[1] == 255 && q[2] == 255 && !(p[0] == 255 && p[1] == 255 && p[2] == 255))
        ++whiteChanged;
    }
  EXPECT_EQ(blue, 0);
  EXPECT_GT(blackKept, 1000);
  EXPECT_EQ(blackLost, 0);
  EXPECT_EQ(whiteChanged, 0);
}

}  // namespace
