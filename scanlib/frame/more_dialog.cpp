#include "more_dialog.h"

#include <algorithm>

#include "step_rounding.h"
#include "tag_ids.h"

namespace {

TagWrite Number(uint16_t tag, int32_t v) {
  TagWrite w;
  w.kind = TagWrite::kNumber;
  w.tag = tag;
  w.number = v;
  return w;
}

void Toggle(LevelOption* o) {
  if (o->boxEnabled) o->on = !o->on;
}

void SetLevel(LevelOption* o, int32_t level) { o->level = ClampTo(level, o->min, o->max); }

}  // namespace

LevelOption LevelOptionFor(const TagChoices& tag, int32_t imageType) {
  LevelOption o;
  const int32_t n = tag.IsList() ? tag.count : 0;
  const int32_t limited = std::min(tag.current, n - 1);
  o.level = limited > 0 ? limited : 1;
  o.min = 1;
  // With fewer than two choices the range 1..n-1 is empty: the slider has the one position 1.
  o.max = std::max(n - 1, 1);
  o.boxEnabled = imageType != 0;
  o.on = o.boxEnabled && (tag.current & 0xFF) != 0;
  return o;
}

MoreModel::MoreModel(const MoreSnapshot& s)
    : snap_(s),
      channel_(s.channel),
      background_(s.background),
      energy_(s.energy),
      invert_(s.invert),
      deskew_(s.deskew),
      mirror_(s.mirror) {
  sharpen_ = LevelOptionFor(s.sharpen, s.imageType);
  descreen_ = LevelOptionFor(s.descreen, s.imageType);
}

void MoreModel::SetChannel(int32_t c) {
  if (c >= 0 && c <= 3) channel_ = c;
}

void MoreModel::SetBackground(int32_t b) {
  if ((b == 0 || b == 1) && backgroundEnabled()) background_ = b;
}

void MoreModel::ToggleLamp() { energy_ = energy_ == 0 ? 1 : 0; }
void MoreModel::ToggleSharpen() { Toggle(&sharpen_); }
void MoreModel::ToggleDescreen() { Toggle(&descreen_); }
void MoreModel::SetSharpenLevel(int32_t level) { SetLevel(&sharpen_, level); }
void MoreModel::SetDescreenLevel(int32_t level) { SetLevel(&descreen_, level); }

std::vector<TagWrite> MoreModel::OkWrites() const {
  std::vector<TagWrite> w;
  w.push_back(Number(kTagFilter, channel_));
  w.push_back(Number(kTagBackground, background_));
  w.push_back(Number(kTagEnergySaving, energy_));
  w.push_back(Number(kTagInvert, invert_));
  w.push_back(Number(kTagDeskew, deskew_));
  w.push_back(Number(kTagMirror, mirror_));
  w.push_back(Number(kTagSharpen, sharpen_.on ? sharpen_.level : 0));
  w.push_back(Number(kTagDescreen, descreen_.on ? descreen_.level : 0));
  return w;
}
