// The "More" settings dialog without its window: colour drop-out, background, lamp, image
// options and the sharpen and descreen levels, and what OK writes. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "dialog_values.h"

struct MoreSnapshot {
  int32_t channel = 0;           // the settings dialog's working colour channel
  int32_t imageType = 0;         // the settings dialog's working image type
  int backgroundChoices = 2;     // how many of BACKGROUND's choices 0 and 1 answer
  int32_t background = 0;
  int32_t energy = 0;            // ENERGYSAVING
  int32_t invert = 0, deskew = 0, mirror = 0;
  TagChoices sharpen;            // current: SHARPEN's value
  TagChoices descreen;
};

// A level box with its slider: the box's check and enabling, the slider's range and position.
struct LevelOption {
  bool boxEnabled = false;
  bool on = false;        // the box is checked; the slider and its number are enabled by it
  int32_t min = 1, max = 1;
  int32_t level = 1;
};

class MoreModel {
 public:
  explicit MoreModel(const MoreSnapshot& snapshot);

  int32_t channel() const { return channel_; }
  int32_t background() const { return background_; }
  bool backgroundEnabled() const { return snap_.backgroundChoices != 1; }
  int32_t energy() const { return energy_; }
  bool invert() const { return invert_ != 0; }
  bool autoCrop() const { return autoCrop_ != 0; }
  bool deskew() const { return deskew_ != 0; }
  bool mirror() const { return mirror_ != 0; }
  const LevelOption& sharpen() const { return sharpen_; }
  const LevelOption& descreen() const { return descreen_; }

  void SetChannel(int32_t c);
  void SetBackground(int32_t b);
  void ToggleLamp();
  void ToggleInvert() { invert_ = !invert_; }
  void ToggleAutoCrop() { autoCrop_ = !autoCrop_; }
  void ToggleSharpen();
  void ToggleDescreen();
  void SetSharpenLevel(int32_t level);  // clamped into the slider's range
  void SetDescreenLevel(int32_t level);

  std::vector<TagWrite> OkWrites() const;

 private:
  MoreSnapshot snap_;
  int32_t channel_, background_, energy_;
  int32_t invert_, autoCrop_ = 0, deskew_, mirror_;
  LevelOption sharpen_, descreen_;
};

// The box and slider of one level tag: choices 1..n-1 of its n choices (level 1 alone with fewer
// than two), the box off and disabled for black-and-white. OK writes the level when the box is
// checked, else 0, whatever the number of choices.
LevelOption LevelOptionFor(const TagChoices& tag, int32_t imageType);
