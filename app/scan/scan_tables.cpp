#include "scan_tables.h"

#include <cstring>
#include <iterator>

namespace tarnwick {

namespace {

const int kResolutions[] = {100, 150, 200, 250, 300, 350, 400, 450, 500, 600, 1200};

const PaperInches kPapers[] = {
    {8.27f, 11.69f},         // A4
    {8.5f, 11.0f},           // Letter
    {6.929134f, 10.118111f},  // B5, 176 x 257 mm
    {5.826772f, 8.267716f},   // A5, 148 x 210 mm
    {4.0f, 2.5f},            // business card
    {11.692913f, 16.535433f}, // A3, 297 x 420 mm
    {11.69f, 8.27f},         // A4 landscape
    {11.0f, 8.5f},           // Letter landscape
};

struct ModelRow {
  const char* Name;
  PaperInches Max;
};

const ModelRow kModels[] = {
    {"RM410", {8.505f, 14.0f}},   {"ORBEL m50", {8.529f, 14.3f}}, {"PX5500", {11.69f, 16.54f}},
    {"RM6000", {11.69f, 16.54f}}, {"RM720D", {8.5f, 17.0f}},
};
const PaperInches kDefaultModelArea = {8.505f, 14.0f};

}  // namespace

int ResolutionDpi(int index) {
  if (index >= 0 && index < static_cast<int>(std::size(kResolutions))) return kResolutions[index];
  return 2400;
}

PaperInches PaperSize(int index) {
  if (index >= 0 && index < static_cast<int>(std::size(kPapers))) return kPapers[index];
  return kPapers[0];
}

PaperInches ModelMaxArea(const char* productName) {
  if (productName)
    for (const ModelRow& row : kModels)
      if (std::strcmp(row.Name, productName) == 0) return row.Max;
  return kDefaultModelArea;
}

}  // namespace tarnwick
