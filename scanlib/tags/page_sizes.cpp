#include "page_sizes.h"

#include <vector>

#include "tag_block.h"
#include "tag_table.h"
#include "tag_types.h"
#include "units.h"

namespace {

const PaperSize kPaperSizes[] = {
    {8.5f, 11.0f, 21.6f, 27.9f, 2550, 3300},       // 2 Letter
    {8.5f, 14.0f, 21.6f, 35.6f, 2550, 4200},       // 3 Legal
    {11.69f, 16.54f, 29.7f, 42.0f, 3508, 4961},    // 4 A3
    {8.27f, 11.69f, 21.0f, 29.7f, 2480, 3508},     // 5 A4
    {5.83f, 8.27f, 14.8f, 21.0f, 1748, 2480},      // 6 A5
    {14.33f, 20.28f, 36.4f, 51.5f, 4299, 6083},    // 7 B3
    {10.12f, 14.33f, 25.7f, 36.4f, 3035, 4299},    // 8 B4
    {7.17f, 10.12f, 18.2f, 25.7f, 2150, 3035},     // 9 B5
    {6.0f, 4.0f, 15.2f, 10.2f, 1800, 1200},        // 10 photo 6 x 4
    {4.0f, 2.5f, 10.2f, 6.4f, 1200, 750},          // 11 card
};

float PaperWidth(const PaperSize& p, int32_t unit) {
  return unit == 0 ? p.InchWidth : unit == 1 ? p.CmWidth : static_cast<float>(p.PixelWidth);
}
float PaperLength(const PaperSize& p, int32_t unit) {
  return unit == 0 ? p.InchLength : unit == 1 ? p.CmLength : static_cast<float>(p.PixelLength);
}

// The scanner's maximum in `unit`, going through pixels as the area dialog does.
float MaximumIn(int row, int32_t units, int32_t unit) {
  const float v = CurrentFloat(row);
  if (unit == units) return v;
  float px = v;
  if (units == 0) px = v * 300.0f;
  else if (units == 1) px = v * 118.11023622047243f;
  if (unit == 0) return px * (1.0f / 300.0f);
  if (unit == 1) return px * 2.54f / 300.0f;
  return px;
}

}  // namespace

const PaperSize* FixedPaperSize(int index) {
  if (index < kFirstFixedPaper || index > kLastPaper) return nullptr;
  return &kPaperSizes[index - kFirstFixedPaper];
}

int32_t BuildPageSizeList(int row, TagState* record, int32_t maxWidth, int32_t maxLength) {
  std::vector<int32_t> items = {0, 1};
  if (maxWidth >= 2550) {
    if (maxLength >= 3300) items.push_back(2);
    if (maxLength >= 4200) items.push_back(3);
  }
  for (int index = 4; index <= kLastPaper; ++index) {
    const PaperSize& p = *FixedPaperSize(index);
    if (maxWidth >= p.PixelWidth && maxLength >= p.PixelLength) items.push_back(index);
  }
  const int type = kTagTable[row].Type;
  if (!AllocChoices(type, static_cast<int>(items.size()), &record->Choices)) {
    record->Count = 0;
    return -9;
  }
  record->Count = static_cast<int32_t>(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    uint8_t* item = static_cast<uint8_t*>(record->Choices) + i * TagTypeSize(type);
    WriteNumber(type, items[i], item);
  }
  record->Current = IntToRaw(type, items.back());
  return 0;
}

int32_t GetPaperDimensions(int32_t index, int32_t unit, float* width, float* length) {
  if (index < 0 || index > kLastPaper || !IsKnownUnit(unit) || !width || !length) return -7;
  const int32_t units = CurrentInt(kRowUnits);
  float w, l;
  if (index <= 1) {
    w = CurrentFloat(index == 0 ? kRowImageWidth : kRowPhysicalWidth);
    l = CurrentFloat(index == 0 ? kRowImageLength : kRowPhysicalHeight);
    w = ConvertUnitValue(w, units, unit);
    l = ConvertUnitValue(l, units, unit);
  } else {
    w = PaperWidth(*FixedPaperSize(index), unit);
    l = PaperLength(*FixedPaperSize(index), unit);
  }
  const float maxW = MaximumIn(kRowPhysicalWidth, units, unit);
  const float maxL = MaximumIn(kRowPhysicalHeight, units, unit);
  *width = w < maxW ? w : maxW;
  *length = l < maxL ? l : maxL;
  return 0;
}
