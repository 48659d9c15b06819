// An in-process stand-in for zebdrv.dll behind the guarded calls: answers queries from a table
// that a test may change, records every KSSetValue and refuses the tags it is told to.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct FakeAnswer {
  int32_t count = 0;               // >= 1 a list, 0 a range, < 0 unsupported
  std::vector<double> numbers;     // list items, or minimum, maximum, step
  std::vector<std::string> texts;  // string tags
};

struct FakeKSDriver {
  std::map<uint16_t, FakeAnswer> answers;  // tags not here answer the list 0, 1
  std::vector<uint16_t> queryFails;        // KSQueryData answers 5 for these
  std::map<uint16_t, int32_t> refuse;      // KSSetValue answers this for the tag
  std::vector<std::pair<uint16_t, int32_t>> sent;  // (tag, value as integer; floats x100)
  int16_t paper = 0;                       // the paper sensor 0x9603
  int16_t askDriver = 77;                  // 0x9053
  int loads = 0;
};

extern FakeKSDriver gFake;

// Fills the binding table with the fake's entry points; the defaults a simulated scanner gives.
void InstallFakeKSDriver();
void RemoveFakeKSDriver();
std::vector<uint16_t> SentTags();
