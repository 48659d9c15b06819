#include "tag_side_effects.h"

#include <vector>

#include "page_sizes.h"
#include "plugin_formats.h"
#include "tag_block.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_reset.h"
#include "tag_state.h"
#include "units.h"

// The frame's: the dialogs' font for the chosen language.
void CreateInterfaceFont();

namespace {

void SetGammaElement(float v) {
  if (float* g = GammaValues()) g[ChannelIndex()] = v;
}

void SetIntList(int row, const std::vector<int32_t>& items) {
  TagState& s = g_tagStates[row];
  if (items.empty()) {
    ReleaseTagBlock(&s.Choices);
    s.Count = 0;
    s.Min = s.Max = 0;
    s.Step = 1;
    return;
  }
  if (!AllocChoices(kTagTable[row].Type, static_cast<int>(items.size()), &s.Choices)) return;
  s.Count = static_cast<int32_t>(items.size());
  for (size_t i = 0; i < items.size(); ++i) SetChoiceInt(row, static_cast<int>(i), items[i]);
}

}  // namespace

void PixelTypeChanged(int32_t oldType, int32_t newType) {
  if (newType == 0) {
    if (oldType != 0) {
      SetCurrentInt(kRowBitsPerPixel, 1);
      SetGammaElement(1.0f);
    }
    if (CurrentInt(kRowFileFormat) == 2) {
      // JPEG holds no black-and-white pages.
      int16_t first = static_cast<int16_t>(g_tagStates[kRowFileFormat].Count > 0 ? ChoiceInt(kRowFileFormat, 0) : 0);
      ZebSetValue(kTagFileFormat, &first);
    }
  } else if (newType == 1) {
    if (oldType != 1) {
      SetCurrentInt(kRowBitsPerPixel, 8);
      if (oldType == 0) SetGammaElement(2.2f);
    }
  } else if ((newType == 2 || newType == 255) && newType != oldType) {
    SetCurrentInt(kRowBitsPerPixel, 24);
    for (uint16_t tag : {kTagBrightness, kTagContrast, kTagHighlight, kTagShadow, kTagGamma})
      ZebResetValue(tag, nullptr);
  }
  SaveRow(kRowBitsPerPixel);
}

void ScanTypeChanged() {
  PhysicalSizeForScanType();
  const int32_t unit = CurrentInt(kRowUnits);
  BuildPageSizeList(kRowPageSize, &g_tagStates[kRowPageSize],
                    RoundedPixels(CurrentFloat(kRowPhysicalWidth), unit),
                    RoundedPixels(CurrentFloat(kRowPhysicalHeight), unit));
}

void FileFormatChanged() {
  const PluginFormats& plugins = CurrentPluginFormats();
  const int32_t format = CurrentInt(kRowFileFormat);
  for (int32_t p = 0; p < plugins.count(); ++p) {
    int32_t list[32];
    const int32_t n = plugins.formats(p, 0, list, 32);
    if (n <= 0 || list[0] != format) continue;
    std::vector<int32_t> items;
    if (n < 2) {
      for (int32_t i = 0; i < n; ++i) items.push_back(i);
      SetIntList(kRowMultiPage, items);
    } else if (g_tagStates[kRowMultiPage].Count != n + 1) {
      for (int32_t i = 0; i <= n; ++i) items.push_back(i);
      SetIntList(kRowMultiPage, items);
    }
    break;
  }
  // COMPRESSION: one 0 and the current plug-in's modes.
  std::vector<int32_t> modes = {0};
  int32_t list[32];
  int32_t n = plugins.compressionModes(list, 32);
  if (n > 32) n = 32;
  for (int32_t i = 0; i < n; ++i) {
    bool seen = false;
    for (int32_t m : modes) seen = seen || m == list[i];
    if (!seen) modes.push_back(list[i]);
  }
  SetIntList(kRowCompression, modes);
  SetCurrentInt(kRowCompression, ChoiceIndexOf(kRowCompression, 0) >= 0 ? 0 : modes.front());
}

void KeepAreaInside(int row) {
  const float pw = CurrentFloat(kRowPhysicalWidth), ph = CurrentFloat(kRowPhysicalHeight);
  const float x = CurrentFloat(kRowXPosition), y = CurrentFloat(kRowYPosition);
  const float w = CurrentFloat(kRowImageWidth), l = CurrentFloat(kRowImageLength);
  switch (row) {
    case kRowXPosition:
      if (x + w > pw) { SetCurrentFloat(kRowImageWidth, pw - x); SaveRow(kRowImageWidth); }
      break;
    case kRowYPosition:
      if (y + l > ph) { SetCurrentFloat(kRowImageLength, ph - y); SaveRow(kRowImageLength); }
      break;
    case kRowImageLength:
      if (y + l > ph) { SetCurrentFloat(kRowYPosition, ph - l); SaveRow(kRowYPosition); }
      break;
    case kRowImageWidth:
      if (x + w > pw) { SetCurrentFloat(kRowXPosition, pw - w); SaveRow(kRowXPosition); }
      break;
    default:
      break;
  }
  UpdateLengthDetect();
}

void UnitsChanged(int32_t from, int32_t to) {
  ConvertGeometry(from, to);
  for (int row : {kRowXPosition, kRowYPosition, kRowImageLength, kRowImageWidth}) SaveRow(row);
}

void PageSizeChanged() {
  float w = 0, l = 0;
  if (GetPaperDimensions(CurrentInt(kRowPageSize), CurrentInt(kRowUnits), &w, &l) != 0) return;
  SetCurrentFloat(kRowXPosition, 0.0f);
  SetCurrentFloat(kRowYPosition, 0.0f);
  SetCurrentFloat(kRowImageWidth, w);
  SetCurrentFloat(kRowImageLength, l);
  for (int row : {kRowXPosition, kRowYPosition, kRowImageWidth, kRowImageLength}) SaveRow(row);
  UpdateLengthDetect();
}

void LanguageChanged() { CreateInterfaceFont(); }
