#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tag_choice_list.h"
#include "tag_model_fixture.h"
#include "tag_types.h"

namespace {

class TagChoiceListTest : public TagModelTest {};

TEST_F(TagChoiceListTest, RepeatsAreListedOnceAndTheBlockHoldsExactlyTheItemsMade) {
  TagChoiceList list(kRowPixelType);
  for (int32_t v : {2, 0, 2, 1, 0, 2}) list.AddUnique(v);
  EXPECT_EQ(list.Count(), 3);
  TagState& r = g_tagStates[kRowPixelType];
  list.Commit(&r);
  ASSERT_EQ(r.Count, 3);
  EXPECT_EQ(ChoiceInt(kRowPixelType, 0), 2);
  EXPECT_EQ(ChoiceInt(kRowPixelType, 1), 0);
  EXPECT_EQ(ChoiceInt(kRowPixelType, 2), 1);
  EXPECT_TRUE(list.Has(1));
  EXPECT_FALSE(list.Has(3));
}

TEST_F(TagChoiceListTest, CommitReplacesAnEarlierListAndAnEmptyListCountsZero) {
  IntList(kRowPixelType, {0, 1, 2, 5});
  const TagChoiceList none(kRowPixelType);
  none.Commit(&g_tagStates[kRowPixelType]);
  EXPECT_EQ(g_tagStates[kRowPixelType].Count, 0);
  EXPECT_NE(g_tagStates[kRowPixelType].Choices, nullptr);
}

TEST_F(TagChoiceListTest, ConvertedItemsTakeTheRowsTypeAndStringsStayTerminated) {
  TagChoiceList numbers(kRowXResolution);
  const uint16_t dpi = 600;
  const int16_t negative = -3;
  numbers.AddConverted(kTwUInt16, &dpi);
  numbers.AddConverted(kTwInt16, &negative);
  numbers.Commit(&g_tagStates[kRowXResolution]);
  EXPECT_EQ(ChoiceInt(kRowXResolution, 0), 600);
  EXPECT_EQ(ChoiceInt(kRowXResolution, 1), -3);

  TagChoiceList texts(kRowDither);
  const std::string longText(40, 'x');
  texts.AddConverted(kTwStr255, longText.c_str());
  texts.AddConverted(kTwStr255, "Diffusion");
  texts.Commit(&g_tagStates[kRowDither]);
  ASSERT_EQ(g_tagStates[kRowDither].Count, 2);
  const int size = TagTypeSize(kTagTable[kRowDither].Type);
  EXPECT_EQ(std::strlen(ChoiceText(kRowDither, 0)), static_cast<size_t>(size - 1));
  EXPECT_STREQ(ChoiceText(kRowDither, 1), "Diffusion");
  EXPECT_TRUE(texts.HasText("DIFFUSION"));
  EXPECT_FALSE(texts.HasText("Diffusio"));
  EXPECT_FALSE(texts.HasText("Diffusion2"));
  EXPECT_FALSE(texts.HasText(nullptr));
}

}  // namespace
