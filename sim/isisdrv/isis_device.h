// The ISIS driver behind the isisdrv.dll stand-in, over the simulated scanner: the tags it offers
// (flags, counts, choices), the values it was sent, and its scans.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "isis_settings.h"
#include "scan_page_info.h"
#include "sim_scanner.h"

// The driver's own failures.
constexpr int32_t kIsisNotLoaded = -3;
constexpr int32_t kIsisRefused = -8;

class IsisDevice {
 public:
  // Starts the driver on one model; a start on another model than the running one starts anew.
  int32_t Load(const zebsim::SimConfig& config, const IsisSettings& settings, const IsisSetup& setup,
               int model);
  void Free();
  bool Loaded() const { return loaded_; }
  int Model() const { return model_; }

  int32_t Flags(int32_t tag, int32_t* flags) const;
  int32_t Count(int32_t tag, int32_t* count) const;
  int32_t Choice(int32_t tag, int32_t type, int32_t index, void* value) const;
  int32_t Get(int32_t tag, int32_t type, void* value) const;
  int32_t Set(int32_t tag, int32_t type, const void* value);

  int32_t Acquire(PageCallbackProc callback, void* buffer);

 private:
  struct Offer {
    bool range = false;
    int32_t min = 0, max = 0, step = 0;
    std::vector<int32_t> items;     // a list of numbers
    std::vector<std::string> texts; // a list of texts
    bool Offered() const { return range || !items.empty() || !texts.empty(); }
  };
  Offer OfferFor(int32_t tag) const;
  int32_t Value(int32_t tag) const;
  bool Accepts(int32_t tag, int32_t v) const;
  const zebsim::PaperSize& SelectedPaper() const;
  void Note(const std::string& line) const;

  bool loaded_ = false;
  int model_ = 0;
  zebsim::SimConfig config_;
  IsisSettings settings_;
  std::unique_ptr<zebsim::SimFeeder> feeder_, glass_;
  std::map<int32_t, int32_t> values_;
  std::string pageSize_;
};

IsisDevice& Device();
