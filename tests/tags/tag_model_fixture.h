// Builds tag records by hand for the tests of the platform-free tag model.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>

#include "tag_block.h"
#include "tag_state.h"

class TagModelTest : public ::testing::Test {
 public:
  void SetUp() override { ClearRecords(); }
  void TearDown() override { ClearRecords(); }

  static void ClearRecords() {
    for (TagState& s : g_tagStates) {
      ReleaseTagBlock(&s.Choices);
      s = TagState{};
    }
  }
  static void IntList(int row, std::initializer_list<int32_t> items) {
    TagState& s = g_tagStates[row];
    AllocChoices(kTagTable[row].Type, static_cast<int>(items.size()), &s.Choices);
    s.Count = static_cast<int32_t>(items.size());
    int i = 0;
    for (int32_t v : items) SetChoiceInt(row, i++, v);
  }
  static void FloatList(int row, std::initializer_list<float> items) {
    TagState& s = g_tagStates[row];
    AllocChoices(kTagTable[row].Type, static_cast<int>(items.size()), &s.Choices);
    s.Count = static_cast<int32_t>(items.size());
    int i = 0;
    for (float v : items) SetChoiceFloat(row, i++, v);
  }
  static void IntRange(int row, int32_t min, int32_t max, int32_t step) {
    TagState& s = g_tagStates[row];
    s.Count = 0;
    s.Min = static_cast<uint32_t>(min);
    s.Max = static_cast<uint32_t>(max);
    s.Step = static_cast<uint32_t>(step);
  }
  static void FloatRange(int row, float min, float max, float step) {
    TagState& s = g_tagStates[row];
    s.Count = 0;
    s.Min = FloatToBits(min);
    s.Max = FloatToBits(max);
    s.Step = FloatToBits(step);
  }
};
