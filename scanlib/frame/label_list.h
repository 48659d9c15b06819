// The drop-down lists of the library's dialogs whose entries are tag values shown by localised
// labels ("IMAGETYPE%d", "SCANMETHOD%d", "PAPERSIZE%d"): each entry keeps the value it stands
// for, so a pick and a stored value are matched by value, never by position. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"

struct LabelEntry {
  std::string label;
  int32_t value;
};

// The built-in label of a value, used when the localisation file has none in the chosen
// language nor in English: the English name of a value the library knows, else empty.
std::string DefaultLabel(const char* keyPrefix, int32_t value);

// One entry per listed value whose label is not empty, in the list's order; a label missing
// from the localisation file is the built-in one, so a list is never left empty.
std::vector<LabelEntry> BuildLabelList(const TagChoices& choices, const char* keyPrefix,
                                       const TextSource& text);

// The entry of the value; -1 when no entry has it.
int FindEntryByValue(const std::vector<LabelEntry>& entries, int32_t value);

// The entry shown for a value: its own, else entry 0 (-1 for an empty list).
int EntryShownFor(const std::vector<LabelEntry>& entries, int32_t value);

// The value an entry stands for; `keep` for an index outside the list (an empty list keeps
// the stored value).
int32_t EntryValue(const std::vector<LabelEntry>& entries, int index, int32_t keep);

constexpr int kLabelBytes = 50;
