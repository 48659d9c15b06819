#include "settings_dialog.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "step_rounding.h"
#include "tag_ids.h"

namespace {

constexpr int32_t kDefaultMaxWidth = 2550;
constexpr int32_t kDefaultMaxLength = 3300;

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The entry that shows the text: the same text, else the first it begins, else entry 0.
int DitherEntryFor(const std::vector<std::string>& dithers, const std::string& text) {
  if (dithers.empty()) return -1;
  for (size_t i = 0; i < dithers.size(); ++i)
    if (SameText(dithers[i], text)) return static_cast<int>(i);
  for (size_t i = 0; i < dithers.size(); ++i)
    if (!text.empty() && dithers[i].size() >= text.size() && SameText(dithers[i].substr(0, text.size()), text))
      return static_cast<int>(i);
  return 0;
}

LevelControl LevelFrom(const TagChoices& c, int32_t value) {
  LevelControl l;
  l.isRange = c.IsRange() && c.max >= c.min;
  l.min = l.isRange ? c.min : value;
  l.max = l.isRange ? c.max : value;
  l.value = l.isRange ? ClampTo(value, c.min, c.max) : value;
  return l;
}

// BRIGHTNESS or CONTRAST as OK writes it: on the caller's scale.
int32_t CallerValueOf(const TagChoices& c, const LevelControl& l) {
  if (!l.isRange) return l.value;
  return CallerScaleFor(l.value, c.min, c.max, c.step);
}

TagWrite Number(uint16_t tag, int32_t v) {
  TagWrite w;
  w.kind = TagWrite::kNumber;
  w.tag = tag;
  w.number = v;
  return w;
}

TagWrite Real(uint16_t tag, float v) {
  TagWrite w;
  w.kind = TagWrite::kReal;
  w.tag = tag;
  w.real = v;
  return w;
}

}  // namespace

std::vector<int32_t> ResolutionList(const TagChoices& r) {
  if (r.IsList()) return r.items;
  std::vector<int32_t> list;
  if (!r.IsRange() || r.max < r.min) return list;
  for (int32_t v = r.min; v <= r.max; v = v < 100 ? 100 : v + 100) {
    list.push_back(v);
    if (v > r.max - 100 && v >= 100) break;  // the next step would pass Max (and cannot wrap)
  }
  return list;
}

int32_t SnapResolution(const TagChoices& r, int32_t dpi) {
  if (r.IsRange()) return r.max >= r.min ? ClampTo(dpi, r.min, r.max) : dpi;
  if (!r.IsList()) return dpi;
  int32_t best = r.items.front();
  int64_t bestGap = -1;
  for (int32_t v : r.items) {
    const int64_t gap = std::llabs(static_cast<int64_t>(v) - dpi);
    if (bestGap < 0 || gap < bestGap || (gap == bestGap && v < best)) {
      best = v;
      bestGap = gap;
    }
  }
  return best;
}

float AreaInUnit(int32_t v, int32_t unit) {
  switch (unit) {
    case 0: return static_cast<float>(v) * 0.0033333334f;
    case 1: return static_cast<float>(v) * 0.0033333334f * 2.54f;
    default: return static_cast<float>(v);
  }
}

SettingsModel::SettingsModel(const SettingsSnapshot& s, const TextSource& text) : snap_(s) {
  imageTypes_ = BuildLabelList(s.pixelType, "IMAGETYPE", text);
  scanMethods_ = BuildLabelList(s.scanType, "SCANMETHOD", text);
  pageSizes_ = BuildLabelList(s.pageSize, "PAPERSIZE", text);
  resolutions_ = ResolutionList(s.resolution);

  work_.unit = static_cast<uint16_t>(s.units);
  imageType_ = EntryValue(imageTypes_, EntryShownFor(imageTypes_, s.pixelType.current), s.pixelType.current);
  bits_ = s.bitsPerPixel;
  gamma_ = s.gamma;
  ditherIndex_ = DitherEntryFor(s.dithers, s.dither);
  work_.resolution = s.resolution.current;
  work_.scanMethod = static_cast<uint16_t>(
      EntryValue(scanMethods_, EntryShownFor(scanMethods_, s.scanType.current), s.scanType.current));
  work_.paper = static_cast<uint16_t>(
      EntryValue(pageSizes_, EntryShownFor(pageSizes_, s.pageSize.current), s.pageSize.current));

  work_.maxWidth = s.papers.size[1][0];
  work_.maxLength = s.papers.size[1][1];
  if (work_.maxWidth < 1 || work_.maxLength < 1) {
    work_.maxWidth = kDefaultMaxWidth;
    work_.maxLength = kDefaultMaxLength;
  }
  work_.landscape = static_cast<uint16_t>(s.pageStyleRead && s.pageStyle == 1 ? 1 : 0);
  ApplyPaper(false);
  work_.x = std::max(0, s.x);
  work_.y = std::max(0, s.y);

  work_.side = static_cast<uint16_t>(s.feederType.current);
  sidesOpen_ = SidesOpen(s.feederType, work_.scanMethod);
  SetSideRule();

  brightness_ = LevelFrom(s.brightness, s.brightness.current);
  contrast_ = LevelFrom(s.contrast, s.contrast.current);
  channel_ = s.filter;
}

std::string SettingsModel::caption() const { return snap_.productName + " - Scanner Settings"; }

const std::string& SettingsModel::ditherText() const {
  if (ditherIndex_ < 0 || ditherIndex_ >= static_cast<int>(snap_.dithers.size())) return snap_.dither;
  return snap_.dithers[static_cast<size_t>(ditherIndex_)];
}

bool SettingsModel::sideEnabled(int side) const {
  return SideSelectable(snap_.feederType, sidesOpen_, side);
}

void SettingsModel::SetSideRule() {
  if (!sideEnabled(work_.side)) work_.side = 0;
}

void SettingsModel::CheckLandscape() {
  const int32_t pw = work_.landscape ? work_.length : work_.width;
  const int32_t pl = work_.landscape ? work_.width : work_.length;
  landscapeEnabled_ = !(work_.maxLength < pw || work_.maxWidth < pl);
  if (!landscapeEnabled_ && work_.landscape) {
    work_.landscape = 0;
    work_.width = pw;
    work_.length = pl;
  }
}

void SettingsModel::ApplyPaper(bool centre) {
  const int p = work_.paper < 12 ? work_.paper : 1;
  int32_t pw = snap_.papers.size[static_cast<size_t>(p)][0];
  int32_t pl = snap_.papers.size[static_cast<size_t>(p)][1];
  if (pw < 1 || pl < 1) {
    pw = work_.maxWidth;
    pl = work_.maxLength;
  }
  work_.width = work_.landscape ? pl : pw;
  work_.length = work_.landscape ? pw : pl;
  CheckLandscape();
  if (centre) {
    work_.y = 0;
    work_.x = work_.scanMethod == 0 && work_.maxWidth > work_.width ? (work_.maxWidth - work_.width) / 2 : 0;
  }
}

void SettingsModel::SetImageType(int32_t type) {
  const int32_t old = imageType_;
  imageType_ = type;
  if (type == 0) bits_ = 1;
  else if (type == 1) bits_ = 8;
  else bits_ = 24;
  if (old == 0 && type != 0) gamma_[0] = 2.2f;
  if (old != 0 && type == 0) gamma_[0] = 1.0f;
}

void SettingsModel::PickImageType(int entry) {
  SetImageType(EntryValue(imageTypes_, entry, imageType_));
}

void SettingsModel::PickDither(int entry) {
  if (entry >= 0 && entry < static_cast<int>(snap_.dithers.size())) ditherIndex_ = entry;
}

void SettingsModel::PickResolution(int entry) {
  if (entry >= 0 && entry < static_cast<int>(resolutions_.size()))
    work_.resolution = resolutions_[static_cast<size_t>(entry)];
}

void SettingsModel::TypeResolution(int32_t dpi) { work_.resolution = dpi; }

void SettingsModel::EndResolutionTyping() {
  if (resolutions_.empty()) return;
  work_.resolution = ClampTo(work_.resolution, resolutions_.front(), resolutions_.back());
}

void SettingsModel::PickScanMethod(int entry) {
  work_.scanMethod = static_cast<uint16_t>(EntryValue(scanMethods_, entry, work_.scanMethod));
  switch (work_.scanMethod) {
    case 0: sidesOpen_ = snap_.feederType.Lists(1); break;
    case 1: sidesOpen_ = true; break;
    default: sidesOpen_ = false; break;
  }
  SetSideRule();
}

void SettingsModel::PickPageSize(int entry) {
  work_.paper = static_cast<uint16_t>(EntryValue(pageSizes_, entry, work_.paper));
  ApplyPaper(true);
}

void SettingsModel::SetLandscape(bool on) {
  if (on && !landscapeEnabled_) return;
  if ((work_.landscape != 0) != on) std::swap(work_.width, work_.length);
  work_.landscape = on ? 1 : 0;
}

void SettingsModel::SetSide(int side) {
  if (side >= 0 && side <= 2 && sideEnabled(side)) work_.side = static_cast<uint16_t>(side);
}

void SettingsModel::SetBrightness(int32_t v) {
  if (brightness_.isRange) brightness_.value = ClampTo(v, brightness_.min, brightness_.max);
}

void SettingsModel::SetContrast(int32_t v) {
  if (contrast_.isRange) contrast_.value = ClampTo(v, contrast_.min, contrast_.max);
}

void SettingsModel::Default() {
  SetImageType(EntryValue(imageTypes_, EntryShownFor(imageTypes_, snap_.pixelType.deflt), imageType_));
  work_.scanMethod = static_cast<uint16_t>(
      EntryValue(scanMethods_, EntryShownFor(scanMethods_, snap_.scanType.deflt), work_.scanMethod));
  work_.paper = static_cast<uint16_t>(
      EntryValue(pageSizes_, EntryShownFor(pageSizes_, snap_.pageSize.deflt), work_.paper));
  ditherIndex_ = snap_.dithers.empty() ? -1 : 0;
  work_.landscape = 0;
  ApplyPaper(true);
  work_.resolution = snap_.resolution.deflt;
  sidesOpen_ = SidesOpen(snap_.feederType, work_.scanMethod);
  work_.side = static_cast<uint16_t>(snap_.feederType.deflt);
  SetSideRule();
  brightness_.value = brightness_.isRange ? ClampTo(snap_.brightness.deflt, brightness_.min, brightness_.max)
                                          : brightness_.value;
  contrast_.value = contrast_.isRange ? ClampTo(snap_.contrast.deflt, contrast_.min, contrast_.max)
                                      : contrast_.value;
}

void SettingsModel::AreaChosen(const DialogWorkRecord& work) {
  work_ = work;
  CheckLandscape();
  SetSideRule();
}

void SettingsModel::ChannelChosen(int32_t channel) { channel_ = channel; }

std::vector<TagWrite> SettingsModel::OkWrites() const {
  std::vector<TagWrite> w;
  w.push_back(Number(kTagUnits, work_.unit));
  w.push_back(Number(kTagPixelType, imageType_));
  w.push_back(Number(kTagBitsPerPixel, bits_));
  TagWrite g;
  g.kind = TagWrite::kGamma;
  g.tag = kTagGamma;
  g.gamma = gamma_;
  w.push_back(g);
  w.push_back(Number(kTagScanType, work_.scanMethod));
  TagWrite d;
  d.kind = TagWrite::kText;
  d.tag = kTagDither;
  d.text = ditherText();
  w.push_back(d);
  w.push_back(Number(kTagPageSize, work_.paper));
  w.push_back(Real(kTagXPosition, AreaInUnit(work_.x, work_.unit)));
  w.push_back(Real(kTagYPosition, AreaInUnit(work_.y, work_.unit)));
  w.push_back(Real(kTagImageWidth, AreaInUnit(work_.width, work_.unit)));
  w.push_back(Real(kTagImageLength, AreaInUnit(work_.length, work_.unit)));
  const int32_t dpi = SnapResolution(snap_.resolution, work_.resolution);
  w.push_back(Number(kTagXResolution, dpi));
  w.push_back(Number(kTagYResolution, dpi));
  TagWrite style;
  style.kind = TagWrite::kPageStyle;
  style.number = work_.landscape;
  w.push_back(style);
  w.push_back(Number(kTagFeederType, work_.side));
  TagWrite b = Number(kTagBrightness, CallerValueOf(snap_.brightness, brightness_));
  b.kind = TagWrite::kCallerScale;
  w.push_back(b);
  TagWrite c = Number(kTagContrast, CallerValueOf(snap_.contrast, contrast_));
  c.kind = TagWrite::kCallerScale;
  w.push_back(c);
  return w;
}
