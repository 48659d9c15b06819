// An in-process ISIS bridge behind the guarded calls: offers what a test puts in its tables and
// records every value it is sent.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct FakeIsisOffer {
  int32_t flags = 0;                  // 0x20000 range, 0x40000 list
  std::vector<int32_t> items;         // a list, or minimum, maximum, step for a range
  std::vector<std::string> texts;     // a list of texts
  std::vector<int32_t> failingChoices;  // ISISTagChoice answers -1 at these indexes
};

struct FakeIsisDriver {
  std::map<int32_t, FakeIsisOffer> offers;  // tags not here offer nothing
  std::map<int32_t, int32_t> values;        // what ISISGetValue answers
  std::map<int32_t, int32_t> refuse;        // ISISSetValue answers this for the tag
  std::vector<std::pair<int32_t, int32_t>> sent;  // (tag, first 32-bit number of the value)
};

extern FakeIsisDriver gFakeIsis;

void InstallFakeIsisDriver();
void RemoveFakeIsisDriver();
