// The capabilities the simulated TWAIN source answers, with their allowed and current values.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "twain_types.h"

struct DsCap {
  uint16_t id;
  uint16_t itemType;
  uint16_t conType;                  // what MSG_GET answers
  std::vector<uint32_t> items;       // enumeration items, or Min, Max, Step of a range
  std::vector<std::string> strings;  // string items (string item types)
  uint32_t current;                  // enumeration: index; range and one value: the value
  uint32_t defaultValue;
  bool settable;
};

// FIX32 as the 4 raw bytes TWAIN lays out (whole part first).
uint32_t Fix32Raw(double v);
double Fix32Value(uint32_t raw);

class DsCapabilities {
 public:
  DsCapabilities();  // the scanner's table, every value at its default

  DsCap* Find(uint16_t id);
  // The current value of a numeric capability (FIX32 as its raw bytes).
  uint32_t Current(uint16_t id) const;
  std::string CurrentString(uint16_t id) const;

  // MSG_GET / MSG_GETCURRENT / MSG_GETDEFAULT: a new global block; false when unknown.
  bool Container(uint16_t id, uint16_t msg, TW_CAPABILITY* cap);
  // MSG_SET of a one-value container: TWRC_SUCCESS, TWRC_CHECKSTATUS (adjusted) or
  // TWRC_FAILURE with *cc.
  uint16_t Set(const TW_CAPABILITY& cap, uint16_t* cc);
  void Reset(uint16_t id);
  void SetCurrentValue(uint16_t id, uint32_t value);  // for the source's own rules
  // Allows or forbids changing a capability (a flatbed source has no feeder).
  void SetSettable(uint16_t id, bool settable);

 private:
  // A length in inches expressed in ICAP_UNITS (pixels at the current resolution).
  double InCurrentUnit(double inches, bool horizontal) const;

  std::vector<DsCap> caps_;
  double frameInches_[4] = {};  // Left, Top, Right, Bottom of the frame last set
  bool frameSet_ = false;
};
