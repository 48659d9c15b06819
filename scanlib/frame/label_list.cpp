#include "label_list.h"

#include <cstdio>

std::vector<LabelEntry> BuildLabelList(const TagChoices& choices, const char* keyPrefix,
                                       const TextSource& text) {
  std::vector<LabelEntry> entries;
  if (!choices.IsList()) return entries;
  for (int32_t v : choices.items) {
    char key[48];
    std::snprintf(key, sizeof key, "%s%d", keyPrefix, static_cast<int>(v));
    std::string label = text ? text(key, "", kLabelBytes) : std::string();
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
