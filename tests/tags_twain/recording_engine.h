// A stand-in for the engine's value calls: records every value pushed, refuses or answers what a
// test asks, and hands out the feeder's paper sensor.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Pushed {
  int32_t cap;
  uint32_t value;     // the first four bytes of the value
  std::string text;   // ICAP_HALFTONES: the name sent
  uint32_t frame[4];  // ICAP_FRAMES: Left, Top, Right, Bottom as FIX32 bits
};

struct RecordingEngine {
  std::vector<Pushed> pushed;
  std::map<int32_t, int32_t> refuse;            // capability -> code answered for it
  std::map<uint64_t, int32_t> refuseValue;      // (capability << 32 | value) -> code
  int32_t feederLoaded = 1;                     // CAP_FEEDERLOADED's answer
  bool feederLoadedKnown = true;

  void Reset() { *this = RecordingEngine(); }
  std::vector<int32_t> Caps() const {
    std::vector<int32_t> caps;
    for (const Pushed& p : pushed) caps.push_back(p.cap);
    return caps;
  }
  // Values pushed for one capability, in order.
  std::vector<uint32_t> ValuesOf(int32_t cap) const {
    std::vector<uint32_t> v;
    for (const Pushed& p : pushed)
      if (p.cap == cap) v.push_back(p.value);
    return v;
  }
};

extern RecordingEngine g_engine;
