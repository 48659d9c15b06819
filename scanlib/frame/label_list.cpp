#include "label_list.h"

#include <cstdio>

#include "dialog_texts.h"

namespace {

const char* const kImageTypeNames[] = {"Black and White", "Gray", "Color"};
const char* const kScanMethodNames[] = {"Automatic", "Feeder", "Flatbed", "Transparency"};
const char* const kPaperSizeNames[] = {"Custom", "Maximum", "Letter", "Legal", "A3", "A4", "A5",
                                       "B3 (JIS)", "B4 (JIS)", "B5 (JIS)", "Photo 6 x 4 in",
                                       "Card 4 x 2.5 in"};

template <size_t N>
std::string NameIn(const char* const (&names)[N], int32_t value) {
  if (value >= 0 && static_cast<size_t>(value) < N) return names[value];
  return {};
}

}  // namespace

std::string DefaultLabel(const char* keyPrefix, int32_t value) {
  const std::string prefix = keyPrefix;
  if (prefix == kImageTypeLabels) return NameIn(kImageTypeNames, value);
  if (prefix == kScanMethodLabels) return NameIn(kScanMethodNames, value);
  if (prefix == kPaperSizeLabels) return NameIn(kPaperSizeNames, value);
  return {};
}

std::vector<LabelEntry> BuildLabelList(const TagChoices& choices, const char* keyPrefix,
                                       const TextSource& text) {
  std::vector<LabelEntry> entries;
  if (!choices.IsList()) return entries;
  for (int32_t v : choices.items) {
    char key[48];
    std::snprintf(key, sizeof key, "%s%d", keyPrefix, static_cast<int>(v));
    const std::string fallback = DefaultLabel(keyPrefix, v);
    std::string label = text ? text(key, fallback.c_str(), kLabelBytes) : fallback;
    if (!label.empty()) entries.push_back({label, v});
  }
  return entries;
}

int FindEntryByValue(const std::vector<LabelEntry>& entries, int32_t value) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].value == value) return static_cast<int>(i);
  return -1;
}

int EntryShownFor(const std::vector<LabelEntry>& entries, int32_t value) {
  if (entries.empty()) return -1;
  const int i = FindEntryByValue(entries, value);
  return i >= 0 ? i : 0;
}

int32_t EntryValue(const std::vector<LabelEntry>& entries, int index, int32_t keep) {
  if (index < 0 || index >= static_cast<int>(entries.size())) return keep;
  return entries[static_cast<size_t>(index)].value;
}
