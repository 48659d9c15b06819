// Which template the library's dialogs run on, and the labelled lists they show.
#include <gtest/gtest.h>

#include <string>

#include "dialog_template_choice.h"
#include "dialog_test_texts.h"
#include "label_list.h"

namespace {

TEST(DialogTemplate, ChosenByScreenWidthAndText) {
  struct Case {
    LibraryDialog dialog;
    int width, digitizedY, textHeight;
    const char* name;
  } cases[] = {
      {LibraryDialog::kSettings, 1024, 144, 20, "MAINDIALOG_1024_768"},
      {LibraryDialog::kSettings, 800, 96, 16, "MAINDIALOG_800_600"},
      {LibraryDialog::kSettings, 800, 120, 17, "MAINDIALOG_800_600_SPECIAL"},
      {LibraryDialog::kSettings, 1023, 121, 10, nullptr},
      {LibraryDialog::kArea, 1280, 96, 16, "AREA_1024_768"},
      {LibraryDialog::kArea, 640, 96, 12, "AREA_800_600"},
      {LibraryDialog::kArea, 640, 96, 18, "AREA_800_600_SPECIAL"},
      {LibraryDialog::kArea, 800, 144, 18, nullptr},
      {LibraryDialog::kMore, 1024, 96, 16, "MORE_1024_768"},
      {LibraryDialog::kMore, 800, 96, 13, "MORE_800_600"},
      {LibraryDialog::kMore, 800, 96, 24, "MORE_800_600_SPECIAL"},
      {LibraryDialog::kMore, 800, 200, 24, nullptr},
  };
  for (const Case& c : cases) {
    const TemplateChoice t = ChooseDialogTemplate(c.dialog, c.width, c.digitizedY, c.textHeight);
    if (!c.name) EXPECT_EQ(t.name, nullptr) << c.width;
    else EXPECT_EQ(std::string(t.name ? t.name : "(refused)"), c.name) << c.width;
  }
}

TEST(LabelList, EntriesKeepTheirValues) {
  const TagChoices types = ListOf({0, 1, 2, 255}, 255);
  const std::vector<LabelEntry> e = BuildLabelList(types, "IMAGETYPE", EnglishLabels());
  ASSERT_EQ(e.size(), 3u);  // 255 has no label
  EXPECT_EQ(e[2].label, "Color");
  EXPECT_EQ(e[2].value, 2);
  EXPECT_EQ(FindEntryByValue(e, 1), 1);
  EXPECT_EQ(FindEntryByValue(e, 255), -1);
  EXPECT_EQ(EntryShownFor(e, 255), 0);
  EXPECT_EQ(EntryValue(e, 2, 9), 2);
  EXPECT_EQ(EntryValue(e, 3, 9), 9);
  EXPECT_EQ(EntryValue({}, 0, 9), 9);
  EXPECT_TRUE(BuildLabelList(RangeOf(0, 3, 1, 0), "IMAGETYPE", EnglishLabels()).empty());
}

// A label the localisation file lacks in every section is the built-in one, so the lists of a
// language without a section, or without the file, are never empty.
TEST(LabelList, MissingLabelsAreTheBuiltInOnes) {
  struct Case { const char* prefix; TagChoices choices; std::vector<std::string> labels; } cases[] = {
      {"IMAGETYPE", ListOf({0, 1, 2}, 0), {"Black and White", "\xe7\x81\xb0\xe5\xba\xa6", "Color"}},
      {"SCANMETHOD", ListOf({0, 1, 2, 3}, 1), {"Automatic", "Feeder", "Flatbed", "Transparency"}},
      {"PAPERSIZE", ListOf({0, 5, 11, 40}, 5), {"Custom", "A4", "Card 4 x 2.5 in"}},
  };
  const TextSource partial = TextsFrom({{"IMAGETYPE1", "\xe7\x81\xb0\xe5\xba\xa6"}});
  for (const Case& c : cases) {
    std::vector<std::string> labels;
    for (const LabelEntry& e : BuildLabelList(c.choices, c.prefix, partial)) labels.push_back(e.label);
    EXPECT_EQ(labels, c.labels) << c.prefix;
  }
  EXPECT_EQ(BuildLabelList(ListOf({0, 1, 2}, 0), "IMAGETYPE", nullptr).size(), 3u);
}

}  // namespace
