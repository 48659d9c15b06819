#include "dialog_tag_access.h"

#include <windows.h>

#include <cmath>
#include <cstring>

#include "interface_font.h"
#include "library_state.h"
#include "load_checks.h"
#include "localisation.h"
#include "page_sizes.h"
#include "settings_store.h"
#include "tag_element_values.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_state.h"
#include "tag_table.h"
#include "tag_types.h"
#include "units.h"

namespace {

int32_t Pixels(float v) { return static_cast<int32_t>(std::floor(v + 0.5f)); }

PaperTable ReadPapers() {
  PaperTable t;
  for (int i = 0; i <= kLastPaper; ++i) {
    float w = 0, l = 0;
    if (GetPaperDimensions(i, kUnitPixel, &w, &l) != 0) continue;
    t.size[static_cast<size_t>(i)] = {Pixels(w), Pixels(l)};
    t.known[i] = true;
  }
  return t;
}

// BRIGHTNESS or CONTRAST as the dialog shows it: the answered element on the driver's range,
// its default (kept on the caller's scale) brought onto that range.
TagChoices ReadLevel(int row) {
  TagChoices c = ReadTagChoices(row);
  const int16_t* values = ColourValues(row);
  c.current = values ? values[ChannelIndexFor(AnsweredChannelElement())] : 0;
  const TagState& s = g_tagStates[row];
  c.deflt = DriverValueForCallerScale(row, s, RawToInt(kTypeInt16, static_cast<uint32_t>(s.Default)));
  return c;
}

void Write(uint16_t tag, void* value) { ZebSetValue(tag, value); }

void WriteNumber(uint16_t tag, int32_t v) {
  const int row = FindTag(tag);
  if (row == kNoRow) return;
  uint8_t buffer[4] = {};
  ::WriteNumber(kTagTable[row].Type, v, buffer);
  Write(tag, buffer);
}

}  // namespace

TagChoices ReadTagChoices(int row) {
  TagChoices c;
  const TagState& s = g_tagStates[row];
  const int type = kTagTable[row].Type;
  c.count = s.Count;
  if (s.Count > 0 && s.Choices && IsTagNumberType(type) && type != kTypeFloat)
    for (int i = 0; i < s.Count; ++i) c.items.push_back(ChoiceInt(row, i));
  if (s.Count > 0 && c.items.empty()) c.count = -1;  // not a list of numbers
  if (type != kTypeFloat) {
    c.min = RawToInt(type, s.Min);
    c.max = RawToInt(type, s.Max);
    c.step = RawToInt(type, s.Step);
    c.current = CurrentInt(row);
    c.deflt = RawToInt(type, static_cast<uint32_t>(s.Default));
  }
  return c;
}

SettingsSnapshot ReadSettingsSnapshot() {
  SettingsSnapshot s;
  if (const char* product = CurrentText(kRowProductName)) s.productName = product;
  s.units = CurrentInt(kRowUnits);
  s.pixelType = ReadTagChoices(kRowPixelType);
  s.bitsPerPixel = CurrentInt(kRowBitsPerPixel);
  if (const float* g = GammaValues()) std::memcpy(s.gamma.data(), g, sizeof(float) * 4);
  const TagState& dither = g_tagStates[kRowDither];
  for (int i = 0; i < dither.Count && dither.Choices; ++i)
    if (const char* text = ChoiceText(kRowDither, i)) s.dithers.push_back(text);
  if (const char* text = CurrentText(kRowDither)) s.dither = text;
  s.resolution = ReadTagChoices(kRowXResolution);
  s.scanType = ReadTagChoices(kRowScanType);
  s.pageSize = ReadTagChoices(kRowPageSize);
  s.feederType = ReadTagChoices(kRowFeederType);
  s.brightness = ReadLevel(kRowBrightness);
  s.contrast = ReadLevel(kRowContrast);
  s.filter = CurrentInt(kRowFilter);
  int32_t style = 0;
  s.pageStyleRead = ReadSetting(kScanDataKey, "PAGESTYLE", &style, kSettingInt, 4) == 0;
  s.pageStyle = style;
  const int32_t units = CurrentInt(kRowUnits);
  s.x = Pixels(ConvertUnitValue(CurrentFloat(kRowXPosition), units, kUnitPixel));
  s.y = Pixels(ConvertUnitValue(CurrentFloat(kRowYPosition), units, kUnitPixel));
  s.papers = ReadPapers();
  s.areaButton = CurrentInt(kRowAreaSetting) != 0;
  s.moreButton = CurrentInt(kRowMoreSetting) != 0;
  return s;
}

MoreSnapshot ReadMoreSnapshot(int32_t channel, int32_t imageType) {
  MoreSnapshot s;
  s.channel = channel;
  s.imageType = imageType;
  int16_t choice = 0;
  s.backgroundChoices = 0;
  for (int32_t i = 0; i < 2 && ZebGetTagChoice(kTagBackground, i, &choice) == 0; ++i) ++s.backgroundChoices;
  s.background = CurrentInt(kRowBackground);
  s.energy = CurrentInt(kRowEnergySaving);
  s.invert = CurrentInt(kRowInvert);
  s.deskew = CurrentInt(kRowDeskew);
  s.mirror = CurrentInt(kRowMirror);
  s.sharpen = ReadTagChoices(kRowSharpen);
  s.descreen = ReadTagChoices(kRowDescreen);
  return s;
}

AreaSnapshot ReadAreaSnapshot(const DialogWorkRecord& work) {
  AreaSnapshot s;
  s.work = work;
  s.pageSize = ReadTagChoices(kRowPageSize);
  s.feederType = ReadTagChoices(kRowFeederType);
  s.papers = ReadPapers();
  s.lastStatusOk = gLib.lastStatus == kZebOk;
  return s;
}

TextSource LibraryTexts() {
  char file[kLocalisationPathSize + 1] = {};
  LocalisationPath(file);
  char section[8] = {};
  GetLanguageCode(section);
  std::string path = file[0] ? file : kLocalisationFile;
  std::string lang = section;
  return [path, lang](const char* key, const char* fallback, int maxBytes) {
    return LocalTextUtf8(path.c_str(), lang.c_str(), key, fallback, maxBytes + 1);
  };
}

void ApplyTagWrites(const std::vector<TagWrite>& writes) {
  for (const TagWrite& w : writes) {
    switch (w.kind) {
      case TagWrite::kNumber:
        WriteNumber(w.tag, w.number);
        break;
      case TagWrite::kReal: {
        // The area is kept on the device in 1/300 inch; the tags' ends lie on the unit's grid,
        // which may be a little inside that.
        float v = w.real;
        const int row = FindTag(w.tag);
        if (row != kNoRow && g_tagStates[row].Count == 0) {
          const float min = BitsToFloat(g_tagStates[row].Min), max = BitsToFloat(g_tagStates[row].Max);
          if (v < min) v = min;
          if (v > max) v = max;
        }
        Write(w.tag, &v);
        break;
      }
      case TagWrite::kText: {
        char text[256] = {};
        lstrcpynA(text, w.text.c_str(), sizeof text);
        Write(w.tag, text);
        break;
      }
      case TagWrite::kGamma:
        SetGammaValues(w.gamma.data());
        break;
      case TagWrite::kCallerScale: {
        const int row = FindTag(w.tag);
        if (row != kNoRow) SetCallerScaleElement(row, AnsweredChannelElement(), w.number);
        break;
      }
      case TagWrite::kPageStyle:
        WriteSettingInt(kScanDataKey, "PAGESTYLE", w.number);
        break;
    }
  }
}
