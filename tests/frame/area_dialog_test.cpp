// The scan-area dialog's rules, without a window.
#include <gtest/gtest.h>

#include "area_dialog.h"
#include "dialog_test_texts.h"

namespace {

// Letter on an 8.5 x 14 inch scanner, in the given unit.
AreaSnapshot Letter(int unit, int32_t resolution = 300) {
  AreaSnapshot s;
  s.work.unit = static_cast<uint16_t>(unit);
  s.work.resolution = resolution;
  s.work.paper = 2;
  s.work.scanMethod = 1;
  s.work.width = 2550;
  s.work.length = 3300;
  s.work.maxWidth = 2550;
  s.work.maxLength = 4200;
  s.pageSize = ListOf({0, 1, 2, 3, 5, 6}, 2);
  s.feederType = ListOf({0, 1}, 0);
  s.papers = ScannerPapers();
  return s;
}

TEST(AreaDialog, TypedXPastTheEdgeLeavesTheLeastWidth) {
  AreaModel m(Letter(0), EnglishLabels());
  m.TypeField(AreaField::kX, 9.0);
  EXPECT_EQ(m.work().x, 2550 - 64);
  EXPECT_EQ(m.work().width, 64);
  EXPECT_EQ(m.work().paper, 0);
  EXPECT_EQ(m.FieldText(AreaField::kX), "8.29");
  EXPECT_EQ(m.FieldText(AreaField::kWidth), "0.21");
}

struct TypedCase {
  int unit;
  int32_t resolution;
  AreaField field;
  double typed;
  int32_t x, y, width, length;  // the area afterwards, 1/300 inch
};

TEST(AreaDialog, TypedValuesKeepTheAreaOnTheDevice) {
  const TypedCase cases[] = {
      {2, 200, AreaField::kWidth, 10, 0, 0, 64, 3300},          // pixels: at least 64
      {0, 300, AreaField::kWidth, 0.1, 0, 0, 2550, 3300},       // inch: too small is all
      {0, 300, AreaField::kWidth, 99, 0, 0, 2550, 3300},
      {1, 300, AreaField::kWidth, 10, 0, 0, 1181, 3300},
      {0, 300, AreaField::kX, 1, 300, 0, 2250, 3300},
      {0, 300, AreaField::kX, -5, 0, 0, 2550, 3300},
      {0, 300, AreaField::kX, 1e30, 2486, 0, 64, 3300},         // no overflow
      {2, 0, AreaField::kX, 300, 300, 0, 2250, 3300},           // resolution 0 counts as 300
      {2, -7, AreaField::kWidth, 600, 0, 0, 600, 3300},
      {0, 300, AreaField::kY, 3, 0, 900, 2550, 3300},
      {0, 300, AreaField::kY, 14, 0, 4136, 2550, 64},
      {0, 300, AreaField::kLength, 0, 0, 0, 2550, 4200},        // inch: below 1 is all
      {2, 300, AreaField::kLength, 3, 0, 0, 2550, 64},
      {0, 300, AreaField::kLength, 20, 0, 0, 2550, 4200},
  };
  for (const TypedCase& c : cases) {
    AreaModel m(Letter(c.unit, c.resolution), EnglishLabels());
    m.TypeField(c.field, c.typed);
    EXPECT_EQ(m.work().x, c.x) << static_cast<int>(c.field) << " " << c.typed;
    EXPECT_EQ(m.work().y, c.y) << static_cast<int>(c.field) << " " << c.typed;
    EXPECT_EQ(m.work().width, c.width) << static_cast<int>(c.field) << " " << c.typed;
    EXPECT_EQ(m.work().length, c.length) << static_cast<int>(c.field) << " " << c.typed;
  }
}

TEST(AreaDialog, FieldsShowTheUnit) {
  EXPECT_EQ(AreaFieldText(2550, 0, 300), "8.50");
  EXPECT_EQ(AreaFieldText(2550, 1, 300), "21.59");
  EXPECT_EQ(AreaFieldText(2550, 2, 200), "1700.00");
  EXPECT_EQ(AreaFieldText(2550, 2, 0), "2550.00");
  AreaModel m(Letter(0), EnglishLabels());
  m.SetUnit(1);
  EXPECT_EQ(m.FieldText(AreaField::kLength), "27.94");
  m.SetUnit(7);
  EXPECT_EQ(m.work().unit, 1);
}

TEST(AreaDialog, APickedPaperStartsAtTheEdgeOrInTheMiddle) {
  AreaSnapshot s = Letter(0);
  AreaModel feeder(s, EnglishLabels());
  feeder.PickPageSize(5);  // A5
  EXPECT_EQ(feeder.work().paper, 6);
  EXPECT_EQ(feeder.work().x, 0);
  EXPECT_EQ(feeder.work().width, 1748);
  s.work.scanMethod = 0;
  AreaModel automatic(s, EnglishLabels());
  automatic.PickPageSize(5);
  EXPECT_EQ(automatic.work().x, (2550 - 1748) / 2);
  automatic.PickPageSize(3);  // Legal: as long as the device
  EXPECT_EQ(automatic.work().length, 4200);
  EXPECT_EQ(automatic.work().x, 0);
}

TEST(AreaDialog, LandscapeOnlyWhenTheTurnedPaperFits) {
  AreaModel m(Letter(0), EnglishLabels());
  EXPECT_FALSE(m.landscapeEnabled());  // 11 inch do not fit across 8.5
  m.SetLandscape(true);
  EXPECT_EQ(m.work().landscape, 0);
  m.PickPageSize(5);  // A5
  EXPECT_TRUE(m.landscapeEnabled());
  m.SetLandscape(true);
  EXPECT_EQ(m.work().width, 2480);
  EXPECT_EQ(m.work().length, 1748);
}

TEST(AreaDialog, SidesAndOkFollowTheLibrary) {
  AreaSnapshot s = Letter(0);
  s.work.side = 2;
  s.lastStatusOk = false;
  AreaModel m(s, EnglishLabels());
  EXPECT_EQ(m.work().side, 0);  // FEEDERTYPE has no rear
  EXPECT_FALSE(m.sideEnabled(2));
  EXPECT_FALSE(m.okEnabled());
  m.SetSide(1);
  EXPECT_EQ(m.work().side, 1);
}

TEST(AreaDialog, PreviewGeometry) {
  const PixelRect frame{280, 40, 608, 480};
  const PixelRect preview = PreviewRect(frame, 10, 13, 19);
  EXPECT_EQ(preview, (PixelRect{297, 37, 603, 455}));
  DialogWorkRecord w;
  w.maxWidth = 2550;
  w.maxLength = 4200;
  w.x = 2486;
  w.width = 64;
  w.length = 3300;
  const PreviewGeometry g = ComputePreview(preview, w);
  EXPECT_NEAR(g.scale, 418.0 * 300 / 4200, 1e-9);  // the length decides
  const double k = g.scale / 300;
  EXPECT_EQ(g.area.left, 297 + static_cast<int>(2486 * k));
  EXPECT_EQ(g.area.right, 297 + static_cast<int>(2550 * k + 0.5));
  EXPECT_EQ(g.area.bottom, 37 + static_cast<int>(3300 * k + 0.5));
  w.maxWidth = 0;
  w.maxLength = 0;
  EXPECT_GT(ComputePreview(preview, w).scale, 0.0);  // an unknown maximum counts as Letter
}

}  // namespace
