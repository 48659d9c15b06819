#include "scan_tables.h"

namespace {
constexpr int kDpi[kResolutionCount] = {100, 150, 200, 250, 300, 350,
                                        400, 450, 500, 600, 1200, 2400};
constexpr const char* kDpiText[kResolutionCount] = {"100", "150", "200", "250", "300", "350",
                                                    "400", "450", "500", "600", "1200", "2400"};
}  // namespace

const PaperSize kPaperSizes[kPaperCount] = {
    {"A4", 8.27f, 11.69f},
    {"Letter", 8.5f, 11.0f},
    {"B5", 6.929134f, 10.118111f},
    {"A5", 5.826772f, 8.267716f},
    {"Bussiness Card", 4.0f, 2.5f},
    {"A3", 11.692913f, 16.535433f},
    {"A4 - 29.7 x 21.0 cm", 11.69f, 8.27f},
    {"Letter - 11 x 8.5 in", 11.0f, 8.5f},
};

int ResolutionDpi(int index) {
  return index >= 0 && index < kResolutionCount - 1 ? kDpi[index] : 2400;
}

const char* ResolutionText(int index) {
  return index >= 0 && index < kResolutionCount ? kDpiText[index] : "";
}

const PaperSize* PaperOfIndex(int index) {
  return index >= 0 && index < kPaperCount ? &kPaperSizes[index] : nullptr;
}
