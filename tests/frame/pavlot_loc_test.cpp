// The localisation file shipped with pavlot.dll holds every text the dialogs ask for.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "dialog_texts.h"

namespace {

// The keys of one section of an INI file.
std::map<std::string, std::string> Section(const char* path, const std::string& name) {
  std::ifstream in(path);
  std::map<std::string, std::string> keys;
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = line.substr(1, line.find(']') - 1);
      continue;
    }
    const size_t eq = line.find('=');
    if (current == name && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return keys;
}

TEST(PavlotLoc, HoldsEveryKeyOfTheDialogs) {
  const auto keys = Section(PAVLOT_LOC_PATH, "0409");
  ASSERT_FALSE(keys.empty());
  for (DialogTexts texts : {SettingsDialogTexts(), AreaDialogTexts(), MoreDialogTexts()})
    for (size_t i = 0; i < texts.count; ++i) {
      auto it = keys.find(texts.items[i].key);
      ASSERT_NE(it, keys.end()) << texts.items[i].key;
      EXPECT_FALSE(it->second.empty()) << texts.items[i].key;
      EXPECT_LT(it->second.size(), static_cast<size_t>(kDialogTextBytes)) << texts.items[i].key;
    }
  for (const char* key : {"Font", "FontSize", "None"}) EXPECT_EQ(keys.count(key), 1u) << key;
}

// The operators' languages of both editions: every dialog text and every list label of English
// in each section, none left for the English fallback but the drivers' own word "None".
TEST(PavlotLoc, EveryLanguageSectionHoldsEveryKey) {
  const auto english = Section(PAVLOT_LOC_PATH, "0409");
  for (const char* language : {"0804", "0404", "0416", "0816"}) {
    const auto keys = Section(PAVLOT_LOC_PATH, language);
    ASSERT_FALSE(keys.empty()) << language;
    for (const auto& kv : english) {
      if (kv.first == "None") continue;
      auto it = keys.find(kv.first);
      ASSERT_NE(it, keys.end()) << language << " " << kv.first;
      EXPECT_FALSE(it->second.empty()) << language << " " << kv.first;
    }
    for (const auto& kv : keys) EXPECT_EQ(english.count(kv.first), 1u) << language << " " << kv.first;
  }
}

TEST(PavlotLoc, LabelsAreNumberedFromZeroWithoutGaps) {
  const auto keys = Section(PAVLOT_LOC_PATH, "0409");
  struct List { const char* prefix; int count; } lists[] = {
      {kImageTypeLabels, 3}, {kScanMethodLabels, 4}, {kPaperSizeLabels, 12}};
  for (const List& l : lists) {
    int n = 0;
    while (keys.count(l.prefix + std::to_string(n))) ++n;
    EXPECT_EQ(n, l.count) << l.prefix;
    for (const auto& kv : keys)
      if (kv.first.rfind(l.prefix, 0) == 0)
        EXPECT_LT(std::stoi(kv.first.substr(std::string(l.prefix).size())), n) << kv.first << " after a gap";
  }
}

}  // namespace
