// Localised texts for the dialog models' tests: a key's text from a small table, else the
// built-in default.
#pragma once
#include <map>
#include <string>

#include "dialog_values.h"

inline TextSource TextsFrom(std::map<std::string, std::string> table) {
  return [table](const char* key, const char* fallback, int) {
    auto it = table.find(key);
    return it != table.end() ? it->second : std::string(fallback);
  };
}

inline TextSource EnglishLabels() {
  return TextsFrom({{"IMAGETYPE0", "Black & White"}, {"IMAGETYPE1", "Gray"}, {"IMAGETYPE2", "Color"},
                    {"SCANMETHOD0", "Automatic"}, {"SCANMETHOD1", "Feeder"}, {"SCANMETHOD2", "Flatbed"},
                    {"PAPERSIZE0", "Custom"}, {"PAPERSIZE1", "Maximum"}, {"PAPERSIZE2", "Letter"},
                    {"PAPERSIZE3", "Legal"}, {"PAPERSIZE5", "A4"}, {"PAPERSIZE6", "A5"}});
}

inline TagChoices ListOf(std::initializer_list<int32_t> items, int32_t current, int32_t deflt = 0) {
  TagChoices c;
  c.items = items;
  c.count = static_cast<int32_t>(c.items.size());
  c.current = current;
  c.deflt = deflt;
  return c;
}

inline TagChoices RangeOf(int32_t min, int32_t max, int32_t step, int32_t current, int32_t deflt = 0) {
  TagChoices c;
  c.count = 0;
  c.min = min;
  c.max = max;
  c.step = step;
  c.current = current;
  c.deflt = deflt;
  return c;
}

// The maker's simulated scanner: 8.5 x 14 inch at most, Letter, Legal, A4 and smaller papers.
inline PaperTable ScannerPapers() {
  PaperTable t;
  auto set = [&t](int i, int32_t w, int32_t l) {
    t.size[static_cast<size_t>(i)] = {w, l};
    t.known[i] = true;
  };
  set(0, 2550, 3300);
  set(1, 2550, 4200);
  set(2, 2550, 3300);
  set(3, 2550, 4200);
  set(5, 2480, 3508);
  set(6, 1748, 2480);
  return t;
}
