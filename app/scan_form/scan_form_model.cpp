#include "scan_form_model.h"

#include <algorithm>

#include "ini_file.h"
#include "small_forms.h"

namespace tarnwick {

const char* const kSaveFormatItems[kSaveFormatCount] = {
    "BMP", "PNG", "GIF", "PCX", "JPEG", "TGA", "TIF[No Compression]", "TIF[CCITT]",
    "TIF[CCITT-Group3]", "TIF[CCITT-Group4]", "TIF[Multipage]", "PDF"};

namespace {

constexpr const char* kDefaultPath = "c:\\temp";

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// The list position for a stored table index: its own entry, else the nearest one.
int PositionFor(const std::vector<ScanChoice>& list, int index) {
  const int exact = ChoicePosition(list, index);
  return exact >= 0 ? exact : NearestChoice(list, index);
}

bool Selected(int position, size_t count) {
  return position >= 0 && static_cast<size_t>(position) < count;
}

}  // namespace

int ParseQuality(const std::string& text) {
  const int32_t value = ParseInteger(text, -1);
  return value >= kQualityMin && value <= kQualityMax ? value : -1;
}

void ScanFormModel::SelectIndexes(int paperIndex, int resolutionIndex) {
  controls.paper = PositionFor(controls.papers, paperIndex);
  controls.resolution = PositionFor(controls.resolutions, resolutionIndex);
}

void ScanFormModel::LoadDuplex() {
  controls.duplex = choices_.duplexAvailable && settings_.duplex;
  controls.duplexEnabled = choices_.duplexAvailable;
}

ScanFormModel::ScanFormModel(const ScannerChoices& choices, TarnwickSettings& settings,
                             IniFile& settingsFile, IniFile& programIni, Edition edition)
    : choices_(choices),
      settings_(settings),
      settingsFile_(settingsFile),
      programIni_(programIni),
      edition_(edition) {
  controls.autoCrop = !Second();  // as the form is laid out, before its first show
}

void ScanFormModel::FormShow() {
  ScanFormControls& c = controls;
  c.papers = choices_.papers;
  c.resolutions = choices_.resolutions;
  c.filterTextIds = choices_.filterTextIds;

  const ScanMethodGroupState group =
      ScanMethodGroupFor(choices_.feederAvailable, choices_.methodForced, settings_.scanMethod);
  c.scanMethodEnabled = group.enabled;
  c.scanMethod = group.selected;
  c.preset = 0;

  if (Second()) {
    // The device window is loaded first; its box reacts as to a click when the loaded state
    // differs from what it showed, and the other settings are loaded over what that reloads.
    const bool shown = c.showUI;
    c.showUI = settings_.showUI;
    if (c.showUI != shown) UICheckBoxClick();
  }
  if (settings_.path.empty()) settings_.path = kDefaultPath;
  LoadControls();
  if (!Second()) c.showUI = settings_.showUI;

  // The quality edit as the save format needs it.
  SaveFmtCombxChange();
  if (!Second()) {
    ScanColorResolutionComboChange();
    PaperSizeComboBoxChange();
    UICheckBoxClick();
  } else {
    PaperSizeComboBoxChange();  // the scan-method group's click
  }
  c.applyEnabled = true;
}

void ScanFormModel::LoadControls() {
  ScanFormControls& c = controls;
  c.imageType = Clamp(settings_.imageType, 0, kImageTypeCount - 1);
  SelectIndexes(settings_.size, settings_.resolution);
  c.invert = settings_.invert;
  c.thumbnails = settings_.thumnailShow;
  c.dontSave = settings_.dontSaveImage;
  c.fitPage = settings_.fitToPage;
  c.presets = settings_.funcbtn;
  c.presetsEnabled = c.presets;
  c.autoCrop = settings_.autoCrop;
  c.brightness = Clamp(settings_.brightness, kTrackMin, kTrackMax);
  c.contrast = Clamp(settings_.contrast, kTrackMin, kTrackMax);
  c.filterEnabled = c.imageType != 2;
  LoadDuplex();
  c.saveFormat = Clamp(settings_.saveFormat, 0, kSaveFormatCount - 1);
  c.path = settings_.path;

  // Four entries (none, R, G, B) hold the filter value; any other list starts at R. A value
  // outside the list selects its nearest entry.
  const int filters = static_cast<int>(c.filterTextIds.size());
  if (filters == 0) c.filter = -1;
  else c.filter = Clamp(filters == 4 ? settings_.filter : settings_.filter - 1, 0, filters - 1);

  c.quality = std::to_string(settings_.jpegQualty);
}

void ScanFormModel::SaveFmtCombxChange() {
  ScanFormControls& c = controls;
  c.applyEnabled = true;
  c.qualityShown = c.rangeShown = false;
  if (c.saveFormat == kSaveFormatJpeg) {
    c.qualityShown = c.rangeShown = true;
    c.qualityLabelId = kQualityLabelJpeg;
  } else if (c.saveFormat == kSaveFormatPng) {
    c.qualityShown = true;
    c.rangeShown = !Second();
    c.qualityLabelId = kQualityLabelPng;
  }
}

void ScanFormModel::ScanColorResolutionComboChange() {
  ScanFormControls& c = controls;
  if (Second()) {
    // Only the filter list follows the type; the track bars stay as they are.
    if (c.imageType >= 0 && c.imageType < kImageTypeCount) c.filterEnabled = c.imageType != 2;
    return;
  }
  switch (c.imageType) {
    case 0:
      c.filterEnabled = true;
      c.brightness = c.contrast = 0;
      c.trackBarsEnabled = c.slidersShown = false;
      break;
    case 1:
    case 2:
      c.filterEnabled = c.imageType == 1;
      c.trackBarsEnabled = c.slidersShown = true;
      break;
    default: return;
  }
  c.applyEnabled = true;
}

void ScanFormModel::PaperSizeComboBoxChange() {
  controls.applyEnabled = true;
  DuplexRule();
}

void ScanFormModel::DuplexRule() {
  ScanFormControls& c = controls;
  if (c.showUI) return;  // the scanner's own window sets duplex
  if (c.scanMethod == 0) c.duplexEnabled = choices_.duplexAvailable;
  else if (c.scanMethod == 1) c.duplexEnabled = false;
}

void ScanFormModel::UICheckBoxClick() {
  ScanFormControls& c = controls;
  c.applyEnabled = true;
  if (c.showUI) {
    c.listsEnabled = c.filterEnabled = c.scanMethodEnabled = false;
    c.duplexEnabled = c.invertEnabled = c.trackBarsEnabled = false;
    if (Second()) c.qualityEnabled = false;
    return;
  }
  c.listsEnabled = c.filterEnabled = c.scanMethodEnabled = true;
  c.duplexEnabled = c.invertEnabled = true;
  c.trackBarsEnabled = Second() || c.imageType != 0;
  c.qualityEnabled = true;
  // The stored method is selected whenever the scanner takes both.
  const ScanMethodGroupState group =
      ScanMethodGroupFor(choices_.feederAvailable, choices_.methodForced, settings_.scanMethod);
  c.scanMethodEnabled = group.enabled;
  c.scanMethod = group.selected;
  c.brightness = Clamp(settings_.brightness, kTrackMin, kTrackMax);
  c.imageType = Clamp(settings_.imageType, 0, kImageTypeCount - 1);
  c.filterEnabled = c.imageType != 2;
  c.contrast = Clamp(settings_.contrast, kTrackMin, kTrackMax);
  LoadDuplex();
  DuplexRule();  // the flatbed has no duplex
}

void ScanFormModel::FuncCheckBoxClick() { controls.presetsEnabled = controls.presets; }

void ScanFormModel::FuncRaidoBoxClick() {
  ScanFormControls& c = controls;
  if (c.preset < 0 || c.preset >= kPresetCount) return;
  const std::string section = std::to_string(c.preset);
  IniFile& ini = programIni_;
  c.imageType = Clamp(ReadInteger(ini, section, "Image Type", 0), 0, kImageTypeCount - 1);
  SelectIndexes(ReadInteger(ini, section, "Size", 0), ReadInteger(ini, section, "Resolution", 2));
  c.brightness = Clamp(ReadInteger(ini, section, "Brightness", 0), kTrackMin, kTrackMax);
  c.contrast = Clamp(ReadInteger(ini, section, "Contrast", 0), kTrackMin, kTrackMax);
  c.path = ini.ReadString(section, "Path", kDefaultPath);
  c.saveFormat = Clamp(ReadInteger(ini, section, "Save Format", 0), 0, kSaveFormatCount - 1);
  c.invert = ReadBool(ini, section, "Invert", false);
  c.duplex = ReadBool(ini, section, "Duplex", true) && c.duplexEnabled;
  c.fitPage = ReadBool(ini, section, "Fittopage", false);
  c.dontSave = ReadBool(ini, section, "DontSave", false);
  c.thumbnails = ReadBool(ini, section, "ShowThum", false);
  // The lists' own rules, as when the operator picks the same items.
  SaveFmtCombxChange();
  ScanColorResolutionComboChange();
  c.applyEnabled = true;
}

void ScanFormModel::JpgEdtChange() {
  if (Second()) PaperSizeComboBoxChange();  // bound to the lists' change in this edition
  else ApplyEdited();
}

MessageButtons ScanFormModel::QualityMessageButtons() const {
  return Second() ? MessageButtons::YesNo : MessageButtons::Ok;
}

ApplyResult ScanFormModel::ApplyBtnClick() {
  const ScanFormControls& c = controls;
  const int quality = ParseQuality(c.quality);
  if (quality < 0) return ApplyResult::BadQuality;

  TarnwickSettings& s = settings_;
  // A list without a selection keeps its setting.
  if (Selected(c.imageType, kImageTypeCount)) s.imageType = c.imageType;
  s.brightness = Clamp(c.brightness, kTrackMin, kTrackMax);
  s.contrast = Clamp(c.contrast, kTrackMin, kTrackMax);
  if (c.scanMethod == 0 || c.scanMethod == 1) s.scanMethod = c.scanMethod;
  s.duplex = c.duplex;
  s.showUI = c.showUI;
  s.invert = c.invert;
  s.thumnailShow = c.thumbnails;
  s.dontSaveImage = c.dontSave;
  s.fitToPage = c.fitPage;
  s.funcbtn = c.presets;
  s.autoCrop = c.autoCrop;
  if (Selected(c.resolution, c.resolutions.size())) s.resolution = c.resolutions[c.resolution].index;
  if (Selected(c.paper, c.papers.size())) s.size = c.papers[c.paper].index;
  if (Selected(c.saveFormat, kSaveFormatCount)) s.saveFormat = c.saveFormat;
  if (s.imageType == 0 || s.imageType == 1) {
    if (c.filterTextIds.size() == 4) {
      if (Selected(c.filter, 4)) s.filter = c.filter;
    } else if (c.filter >= 0 && c.filter <= 2) {
      s.filter = c.filter + 1;
    }
  }
  if (s.saveFormat == kSaveFormatJpeg) s.jpegQualty = quality;
  if (s.saveFormat == kSaveFormatPng) s.png = quality > 1 ? 1 : quality;
  if (c.presets) WritePresetSettings();
  controls.applyEnabled = false;
  return ApplyResult::Applied;
}

void ScanFormModel::WritePresetSettings() {
  IniFile& ini = Second() ? programIni_ : settingsFile_;
  const TarnwickSettings& s = settings_;
  const char* S = kSettingsSection;
  WriteInteger(ini, "Settingss", "Items", controls.preset);
  WriteInteger(ini, S, "Image Type", s.imageType);
  WriteInteger(ini, S, "Size", s.size);
  WriteInteger(ini, S, "Resolution", s.resolution);
  WriteInteger(ini, S, "Scan Method", s.scanMethod);
  WriteInteger(ini, S, "Brightness", s.brightness);
  WriteInteger(ini, S, "Contrast", s.contrast);
  ini.WriteString(S, "Path", s.path);
  WriteInteger(ini, S, "Save Format", s.saveFormat);
  WriteInteger(ini, S, "Filter", s.filter);
  WriteBool(ini, S, "pdf", s.pdf);
  WriteBool(ini, S, "Invert", s.invert);
  WriteBool(ini, S, "Duplex", s.duplex);
  WriteBool(ini, S, "Fittopage", s.fitToPage);
  WriteBool(ini, S, "DontSave", s.dontSaveImage);
  WriteBool(ini, S, "ShowThum", s.thumnailShow);
  WriteBool(ini, S, "AutoCrop", s.autoCrop);
}

ApplyResult ScanFormModel::DefaultBtnClick() {
  ScanFormControls& c = controls;
  if (c.showUI) {
    // Unchecking the device window gives the lists back, as a click on it does.
    c.showUI = false;
    UICheckBoxClick();
  }
  SelectIndexes(1, 2);  // Letter, 200 dpi
  c.imageType = 0;
  if (c.scanMethodEnabled) c.scanMethod = 0;  // a scanner with one method keeps it
  c.duplex = c.invert = c.thumbnails = c.dontSave = c.fitPage = c.autoCrop = false;
  c.brightness = c.contrast = 0;
  c.saveFormat = kSaveFormatTiffPlain;
  SaveFmtCombxChange();
  settings_.path = kDefaultPath;
  c.path = kDefaultPath;
  if (!Second()) {
    if (!c.filterTextIds.empty()) c.filter = c.filterTextIds.size() == 4 ? 2 : 1;
    ScanColorResolutionComboChange();
  }
  return ApplyBtnClick();
}

void ScanFormModel::FolderChosen(const std::string& path) {
  if (path.empty()) return;
  controls.path = path;
  settings_.path = path;
}

}  // namespace tarnwick
