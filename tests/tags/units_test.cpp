#include <gtest/gtest.h>

#include "page_sizes.h"
#include "tag_ids.h"
#include "tag_model_fixture.h"
#include "units.h"

namespace {

using Units = TagModelTest;

void SetArea(float value) {
  for (int row : {kRowXPosition, kRowYPosition, kRowImageLength, kRowImageWidth})
    SetCurrentFloat(row, value);
}

TEST_F(Units, RoundTripInchCmInchPixel) {
  FloatList(kRowPhysicalWidth, {8.5f, 8.5f});
  SetCurrentFloat(kRowPhysicalWidth, 8.5f);
  FloatRange(kRowImageWidth, 0.214f, 8.5f, 0.005f);
  SetCurrentFloat(kRowImageWidth, 8.5f);

  struct Step { int32_t from, to; float expected; float step; };
  const Step steps[] = {{0, 1, 21.59f, 0.01f}, {1, 0, 8.5f, 0.005f}, {0, 2, 2550.0f, 1.0f},
                        {2, 0, 8.5f, 0.005f}, {0, 0, 8.5f, 0.005f}};
  for (const Step& s : steps) {
    ASSERT_EQ(ConvertUnits(s.from, s.to), 0);
    EXPECT_EQ(CurrentFloat(kRowPhysicalWidth), s.expected) << s.from << "->" << s.to;
    EXPECT_EQ(ChoiceFloat(kRowPhysicalWidth, 1), s.expected);
    EXPECT_EQ(CurrentFloat(kRowImageWidth), s.expected);
    EXPECT_EQ(BitsToFloat(g_tagStates[kRowImageWidth].Max), s.expected);
    EXPECT_EQ(BitsToFloat(g_tagStates[kRowImageWidth].Step), s.step);
  }
}

TEST_F(Units, UnknownUnitAnswersMinus7AndChangesNothing) {
  SetArea(3.0f);
  g_tagStates[kRowImageWidth].Step = FloatToBits(0.5f);
  EXPECT_EQ(ConvertUnits(0, 3), -7);
  EXPECT_EQ(ConvertUnits(-1, 0), -7);
  EXPECT_EQ(CurrentFloat(kRowImageWidth), 3.0f);
  EXPECT_EQ(BitsToFloat(g_tagStates[kRowImageWidth].Step), 0.5f);
}

TEST_F(Units, GridsOfTheThreeUnits) {
  struct Case { float v; int32_t unit; float expected; };
  const Case cases[] = {{8.2971f, 0, 8.295f}, {8.2976f, 0, 8.3f}, {21.594f, 1, 21.59f},
                        {21.596f, 1, 21.6f}, {2549.5f, 2, 2550.0f}, {2549.4f, 2, 2549.0f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(SnapToUnitGrid(c.v, c.unit), c.expected) << c.v;
}

TEST_F(Units, PixelsRoundToNearestSoLetterStaysListed) {
  EXPECT_EQ(RoundedPixels(21.59f, kUnitCm), 2550);
  EXPECT_EQ(RoundedPixels(27.94f, kUnitCm), 3300);
  EXPECT_EQ(RoundedPixels(8.5f, kUnitInch), 2550);
  EXPECT_EQ(RoundedPixels(2550.0f, kUnitPixel), 2550);
}

TEST_F(Units, LengthLeftBelowTheArea) {
  SetCurrentInt(kRowUnits, kUnitInch);
  SetCurrentFloat(kRowPhysicalHeight, 14.0f);
  SetCurrentFloat(kRowImageLength, 11.0f);
  SetCurrentFloat(kRowYPosition, 1.0f);
  EXPECT_EQ(LengthLeftBelowArea(), 600);
  SetCurrentInt(kRowUnits, kUnitPixel);
  SetCurrentFloat(kRowPhysicalHeight, 4200.0f);
  SetCurrentFloat(kRowImageLength, 3300.0f);
  SetCurrentFloat(kRowYPosition, 0.0f);
  EXPECT_EQ(LengthLeftBelowArea(), 900);
}

using PageSizes = TagModelTest;

std::vector<int32_t> ListOf(int row) {
  std::vector<int32_t> v;
  for (int i = 0; i < g_tagStates[row].Count; ++i) v.push_back(ChoiceInt(row, i));
  return v;
}

TEST_F(PageSizes, ListFromTheMaximumArea) {
  struct Case { int32_t w, h; std::vector<int32_t> list; };
  const Case cases[] = {
      {2550, 3300, {0, 1, 2, 6, 9, 10, 11}},
      {2550, 4200, {0, 1, 2, 3, 5, 6, 9, 10, 11}},
      {5000, 7000, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {1000, 700, {0, 1}},
      {1800, 1200, {0, 1, 10, 11}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(BuildPageSizeList(kRowPageSize, &g_tagStates[kRowPageSize], c.w, c.h), 0);
    EXPECT_EQ(ListOf(kRowPageSize), c.list) << c.w << "x" << c.h;
    EXPECT_EQ(CurrentInt(kRowPageSize), c.list.back());
  }
}

TEST_F(PageSizes, DimensionsInAUnitClampedToTheMaximumArea) {
  SetCurrentInt(kRowUnits, kUnitInch);
  SetCurrentFloat(kRowPhysicalWidth, 8.5f);
  SetCurrentFloat(kRowPhysicalHeight, 14.0f);
  SetCurrentFloat(kRowImageWidth, 4.0f);
  SetCurrentFloat(kRowImageLength, 5.0f);
  struct Case { int32_t index, unit; float w, l; };
  const Case cases[] = {
      {4, kUnitInch, 8.5f, 14.0f}, {2, kUnitInch, 8.5f, 11.0f}, {0, kUnitInch, 4.0f, 5.0f},
      {1, kUnitInch, 8.5f, 14.0f}, {1, kUnitPixel, 2550.0f, 4200.0f}, {10, kUnitCm, 15.2f, 10.2f},
      {2, kUnitPixel, 2550.0f, 3300.0f},
  };
  for (const Case& c : cases) {
    float w = 0, l = 0;
    ASSERT_EQ(GetPaperDimensions(c.index, c.unit, &w, &l), 0);
    EXPECT_NEAR(w, c.w, 1e-3) << c.index << " unit " << c.unit;
    EXPECT_NEAR(l, c.l, 1e-3) << c.index << " unit " << c.unit;
  }
  float w = -1, l = -1;
  EXPECT_EQ(GetPaperDimensions(12, kUnitInch, &w, &l), -7);
  EXPECT_EQ(GetPaperDimensions(-1, kUnitInch, &w, &l), -7);
  EXPECT_EQ(w, -1);
}

}  // namespace
