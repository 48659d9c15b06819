#include "scanner_choices.h"

#include <cstdlib>

#include "scan_tables.h"  // the scan loop's resolution table

namespace tarnwick {

namespace {

constexpr const char* kResolutionTexts[kResolutionCount] = {
    "100", "150", "200", "250", "300", "350", "400", "450", "500", "600", "1200", "2400"};

// The capability query's paper literals, and the form's own texts before the first query.
constexpr const char* kPaperTexts[kPaperCount] = {
    "A4", "Letter", "B5", "A5", "Bussiness Card", "A3", "A4 - 29.7 x 21.0 cm",
    "Letter - 11 x 8.5 in"};
constexpr const char* kDesignPaperTexts[kPaperCount] = {
    "A4", "Letter ", "B5", "A5", "Business Card", "A3", "A4 - 29.7 x 21.0 cm",
    "Letter - 11 x 8.5 in"};

ScanChoice Paper(int index) { return {kPaperTexts[index], index}; }
ScanChoice Resolution(int index) { return {kResolutionTexts[index], index}; }

}  // namespace

ScannerChoices DesignScannerChoices() {
  ScannerChoices c;
  for (int i = 0; i <= 10; ++i) c.resolutions.push_back(Resolution(i));
  for (int i = 0; i < kPaperCount; ++i) c.papers.push_back({kDesignPaperTexts[i], i});
  return c;
}

std::vector<ScanChoice> ResolutionChoicesUpTo(int maxDpi) {
  std::vector<ScanChoice> list;
  for (int i = 0; i < kResolutionCount; ++i) {
    if (maxDpi > 0 && i > 0 && ResolutionDpi(i) > maxDpi) break;
    list.push_back(Resolution(i));
  }
  return list;
}

std::vector<ScanChoice> PaperChoicesFor(float width, float* height, Edition edition) {
  // The rules compare the single-precision answers with the decimal constants.
  const double w = width;
  const bool second = edition == Edition::kSecond;
  if (!second && w <= 8.5 && static_cast<double>(*height) > 15) *height = 11.69f;
  const double h = *height;
  std::vector<ScanChoice> list;
  if (w <= 0 || h <= 0) {
    // No area reported: every paper.
    for (int i = 0; i < kPaperCount; ++i) list.push_back(Paper(i));
  } else if (w > 4.15 && h > 5.71 && w <= 11.69) {
    for (int i = 0; i <= kPaperBusinessCard; ++i) list.push_back(Paper(i));
    if (h > 16.54) {
      list.push_back(Paper(6));
      list.push_back(Paper(7));
    }
  } else if (w <= 4.15 && h <= (second ? 5.71 : 6.9)) {
    list.push_back(Paper(kPaperBusinessCard));
  } else {
    for (int i = 0; i < kPaperCount; ++i) list.push_back(Paper(i));
  }
  return list;
}

bool ModelTableFlags(Edition edition, const std::string& model, ModelFlags* flags) {
  if (edition != Edition::kSecond) return false;
  struct Row {
    const char* model;
    ModelFlags flags;  // feeder, method forced, duplex
  };
  static constexpr Row kRows[] = {
      {"RM410", {true, true, false}},    {"RM430", {true, true, true}},
      {"RM430D2", {true, true, true}},   {"RM150", {true, true, true}},
      {"RMB9", {false, false, false}},   {"RMB9+", {false, false, false}},
      {"RM6000s", {true, false, true}},  {"RM5100", {true, false, true}}};
  for (const Row& row : kRows)
    if (model == row.model) {
      *flags = row.flags;
      return true;
    }
  return false;
}

std::vector<int> FilterChoiceTextIds() { return {521, 522, 523, 524}; }

int NearestChoice(const std::vector<ScanChoice>& list, int value) {
  int best = -1;
  long long bestDistance = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const long long d = std::llabs(static_cast<long long>(list[i].index) - value);
    if (best < 0 || d < bestDistance || (d == bestDistance && list[i].index < list[best].index)) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

int ChoicePosition(const std::vector<ScanChoice>& list, int value) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].index == value) return static_cast<int>(i);
  return -1;
}

}  // namespace tarnwick
