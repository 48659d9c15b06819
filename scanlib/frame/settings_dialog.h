// The scanner settings dialog of the maker's driver kind, without its window: the values it
// edits, which controls are enabled, and what OK writes. The window maps controls to it and
// back. Platform-free.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"
#include "label_list.h"

// What the dialog reads from the tag records when it opens.
struct SettingsSnapshot {
  std::string productName;
  int32_t units = 2;
  TagChoices pixelType;
  int32_t bitsPerPixel = 1;
  std::array<float, 4> gamma{1.0f, 1.0f, 1.0f, 1.0f};
  std::vector<std::string> dithers;  // DITHER's choices
  std::string dither;                // DITHER's value
  TagChoices resolution;             // XRESOLUTION
  TagChoices scanType;
  TagChoices pageSize;
  TagChoices feederType;
  TagChoices brightness;  // current: the element ZebGetValue answers, on the driver's range
  TagChoices contrast;
  int32_t filter = 0;
  bool pageStyleRead = false;  // PAGESTYLE under the scan-data key
  int32_t pageStyle = 0;
  int32_t x = 0, y = 0;        // the area's position, 1/300 inch
  PaperTable papers;           // in 1/300 inch
  bool areaButton = true;      // AREASETTING
  bool moreButton = true;      // MORESETTING
};

// A scroll bar with its number edit.
struct LevelControl {
  int32_t min = 0, max = 0;
  int32_t value = 0;
  bool isRange = true;  // a list or no support: the value is shown and kept as it is
};

class SettingsModel {
 public:
  SettingsModel(const SettingsSnapshot& snapshot, const TextSource& text);

  // Lists and what they show.
  const std::vector<LabelEntry>& imageTypes() const { return imageTypes_; }
  const std::vector<LabelEntry>& scanMethods() const { return scanMethods_; }
  const std::vector<LabelEntry>& pageSizes() const { return pageSizes_; }
  const std::vector<std::string>& dithers() const { return snap_.dithers; }
  const std::vector<int32_t>& resolutions() const { return resolutions_; }
  int imageTypeEntry() const { return EntryShownFor(imageTypes_, imageType_); }
  int scanMethodEntry() const { return EntryShownFor(scanMethods_, work_.scanMethod); }
  int pageSizeEntry() const { return EntryShownFor(pageSizes_, work_.paper); }
  int ditherEntry() const { return ditherIndex_; }
  std::string caption() const;

  // Enabled controls.
  bool ditherEnabled() const { return imageType_ == 0; }
  bool landscapeEnabled() const { return landscapeEnabled_; }
  bool sideEnabled(int side) const;  // 0 front, 1 both, 2 rear
  bool areaButton() const { return snap_.areaButton; }
  bool moreButton() const { return snap_.moreButton; }

  // The working values.
  int32_t imageType() const { return imageType_; }
  int32_t bitsPerPixel() const { return bits_; }
  int32_t resolution() const { return work_.resolution; }
  const std::array<float, 4>& gamma() const { return gamma_; }
  const LevelControl& brightness() const { return brightness_; }
  const LevelControl& contrast() const { return contrast_; }
  int32_t channel() const { return channel_; }
  const DialogWorkRecord& work() const { return work_; }
  const std::string& ditherText() const;

  // What the operator does.
  void PickImageType(int entry);
  void PickDither(int entry);
  void PickResolution(int entry);
  void TypeResolution(int32_t dpi);
  void EndResolutionTyping();  // focus leaves the field: clamped into the list's ends
  void PickScanMethod(int entry);
  void PickPageSize(int entry);
  void SetLandscape(bool on);
  void SetSide(int side);
  void SetBrightness(int32_t v);  // clamped into the range
  void SetContrast(int32_t v);
  void Default();
  void AreaChosen(const DialogWorkRecord& work);  // the area dialog's OK
  void ChannelChosen(int32_t channel);             // the "More" dialog's OK

  // What OK writes, in order.
  std::vector<TagWrite> OkWrites() const;

 private:
  void SetSideRule();
  void ApplyPaper(bool centre);
  void CheckLandscape();
  void SetImageType(int32_t type);

  SettingsSnapshot snap_;
  std::vector<LabelEntry> imageTypes_, scanMethods_, pageSizes_;
  std::vector<int32_t> resolutions_;
  int32_t imageType_ = 0;
  int32_t bits_ = 1;
  std::array<float, 4> gamma_{};
  int ditherIndex_ = -1;
  DialogWorkRecord work_;
  LevelControl brightness_, contrast_;
  int32_t channel_ = 0;
  bool landscapeEnabled_ = true;
  bool sidesOpen_ = true;  // the rule of the scan method and FEEDERTYPE lets Both and Rear on
};

// The resolution list: a list's items; for a range Min, then 100, 200, ... up to Max.
std::vector<int32_t> ResolutionList(const TagChoices& resolution);

// A typed resolution as OK writes it: the nearest listed value (the lower one of two as near),
// a range's span, or as typed when the tag has no choices.
int32_t SnapResolution(const TagChoices& resolution, int32_t dpi);

// A value in 1/300 inch in the unit (0 inch, 1 cm, 2 pixel), as OK writes the area.
float AreaInUnit(int32_t v, int32_t unit);
