// TScanForm, the "Scanner Settings" dialog, free of any window: the values of its controls, the
// rules that enable, show and fill them, what Apply, OK and Default write to the current
// settings, and the function presets. The window copies its controls into `controls` before
// each handler and shows `controls` again after it. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "edition.h"
#include "scanner_choices.h"
#include "tarnwick_settings.h"

namespace tarnwick {

class IniFile;

constexpr int kImageTypeCount = 3;  // items: string ids 507, 508, 509
constexpr int kPresetCount = 10;    // sections "0" .. "9"
constexpr int kTrackMin = -100, kTrackMax = 100;
constexpr int kQualityMin = 2, kQualityMax = 255;
constexpr int kSaveFormatJpeg = 4, kSaveFormatPng = 1, kSaveFormatTiffPlain = 6;
constexpr int kQualityLabelJpeg = 518, kQualityLabelPng = 1007;

// The save-format list's items (index 0..11).
extern const char* const kSaveFormatItems[kSaveFormatCount];

struct ScanFormControls {
  // Lists as the form holds them; -1: no item selected.
  std::vector<ScanChoice> papers, resolutions;
  std::vector<int> filterTextIds;
  int paper = -1, resolution = -1, imageType = -1, filter = -1, saveFormat = -1;
  bool listsEnabled = true;   // paper, resolution and image-type lists
  bool filterEnabled = true;
  int scanMethod = -1;        // 0 feeder, 1 flatbed
  bool scanMethodEnabled = true;
  bool duplex = false, duplexEnabled = true;
  bool showUI = false, invert = false, invertEnabled = true;
  bool thumbnails = false, dontSave = false, fitPage = false, autoCrop = true;
  int brightness = 0, contrast = 0;
  bool trackBarsEnabled = true, slidersShown = true;
  std::string quality;        // JpgEdt
  bool qualityEnabled = true;
  bool qualityShown = false, rangeShown = false;  // Label9 and JpgEdt; RangeValue
  int qualityLabelId = kQualityLabelJpeg;
  std::string path = "\\";   // ScanPathToSaveTo
  bool presets = false;       // funcCheckBox
  bool presetsEnabled = false;
  int preset = 0;             // funcRaidoBox
  bool applyEnabled = false;
};

enum class ApplyResult { Applied, BadQuality };  // BadQuality: message 1010, nothing stored
// The buttons of the message box that refuses the quality value.
enum class MessageButtons { Ok, YesNo };

class ScanFormModel {
 public:
  // `choices`: the lists and flags of the last capability query; `settings`: the current
  // settings; `settingsFile`: TarnwickForm.ini at its place; `programIni`: the program-named INI
  // (the presets); `edition`: the program's edition, which decides the rules that differ.
  ScanFormModel(const ScannerChoices& choices, TarnwickSettings& settings, IniFile& settingsFile,
                IniFile& programIni, Edition edition = kBuiltEdition);

  ScanFormControls controls;
  const TarnwickSettings& Settings() const { return settings_; }

  void FormShow();
  void SaveFmtCombxChange();
  void ScanColorResolutionComboChange();
  void PaperSizeComboBoxChange();  // every other edit: enables Apply, the duplex rule
  void UICheckBoxClick();
  void FuncCheckBoxClick();
  void FuncRaidoBoxClick();
  void ApplyEdited() { controls.applyEnabled = true; }  // track bars, auto crop
  void JpgEdtChange();
  ApplyResult ApplyBtnClick();
  // The dialog closes on Applied only: a refused quality value keeps it open in both editions,
  // so that the operator's edits are not lost.
  ApplyResult OkBtnClick() { return ApplyBtnClick(); }
  MessageButtons QualityMessageButtons() const;
  ApplyResult DefaultBtnClick();
  // A folder chosen in the folder browser becomes the batch root at once.
  void FolderChosen(const std::string& path);

 private:
  bool Second() const { return edition_ == Edition::kSecond; }
  void LoadControls();
  void SelectIndexes(int paperIndex, int resolutionIndex);
  void LoadDuplex();
  void DuplexRule();
  void WritePresetSettings();

  const ScannerChoices& choices_;
  TarnwickSettings& settings_;
  IniFile& settingsFile_;
  IniFile& programIni_;
  Edition edition_;
};

// The quality edit as a number 2..255; -1 for junk, overflow or a value outside the range.
int ParseQuality(const std::string& text);

}  // namespace tarnwick
