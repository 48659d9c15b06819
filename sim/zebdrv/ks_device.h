// The simulated scanner behind zebdrv.dll: its current settings, its sources, its feeder and
// flatbed. One device per loaded driver; KSLoad makes it ready, KSFree ends it.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "ks_source_record.h"
#include "ks_values.h"
#include "sim_scanner.h"

// Codes of the driver's own failures.
constexpr int32_t kKSNotLoaded = -3;
constexpr int32_t kKSRefused = -8;
constexpr int32_t kKSUnknownTag = -7;
constexpr int32_t kKSNoMoreSources = 1;

class KSDevice {
 public:
  int32_t Load(const zebsim::SimConfig& config);
  void Free();
  bool Loaded() const { return loaded_; }

  // KSGetDS: message 2 first, 3 next; non-zero when there is no further source.
  int32_t NextSource(int32_t message, KSSourceRecord* record);
  int32_t SelectSource(int32_t index);
  int32_t SelectedSource() const { return selected_; }

  // KSQueryData: the tag's choices in the given type (Count >= 1) or min, max, step (Count 0).
  int32_t Query(int32_t tag, int32_t type, uint32_t* count, std::vector<uint8_t>* data) const;
  int32_t Get(int32_t tag, int32_t type, void* out) const;
  int32_t Set(int32_t tag, int32_t type, const void* in);

  double Number(int32_t tag) const;
  int Units() const { return static_cast<int>(Number(0x9504)); }
  zebsim::SimFeeder& Feeder() { return *feeder_; }
  zebsim::SimFeeder& Glass() { return *glass_; }
  const zebsim::SimConfig& Config() const { return config_; }

 private:
  bool Accepts(int32_t tag, const KSValue& v) const;
  double PhysicalMax(int32_t tag) const;

  bool loaded_ = false;
  zebsim::SimConfig config_;
  std::unique_ptr<zebsim::SimFeeder> feeder_, glass_;
  std::map<int32_t, KSValue> values_;
  int32_t nextSource_ = 0;
  int32_t selected_ = 0;
};

KSDevice& Device();
