// What the simulated ZS scanner offers for each scan tag: a list of choices, a range, or a list
// of texts, and the value it starts with. One table, read by KSQueryData, KSSetValue and the scan.
#pragma once
#include <cstdint>
#include <vector>

#include "ks_values.h"

// Tags the driver itself uses while scanning.
constexpr int32_t kTagScanType = 0x9100;
constexpr int32_t kTagPixelType = 0x9202;
constexpr int32_t kTagXResolution = 0x9200;
constexpr int32_t kTagYResolution = 0x9201;
constexpr int32_t kTagUnits = 0x9504;
constexpr int32_t kTagPhysicalHeight = 0x9400;
constexpr int32_t kTagPhysicalWidth = 0x9401;
constexpr int32_t kTagXPosition = 0x9500;
constexpr int32_t kTagYPosition = 0x9501;
constexpr int32_t kTagImageLength = 0x9502;
constexpr int32_t kTagImageWidth = 0x9503;
constexpr int32_t kTagPaperPresent = 0x9603;
constexpr int32_t kTagXferCount = 0x9600;
constexpr int32_t kTagBackground = 0x9008;
constexpr int32_t kTagBackgroundLines = 0x930d;
constexpr int32_t kTagDriverQuery = 0x9053;
constexpr int32_t kTagProductName = 0x9004;

struct KSCapability {
  enum Form { kList, kRange, kTexts, kPhysical, kArea } form;
  int32_t tag;
  std::vector<double> values;             // kList: the choices; kRange: min, max, step;
                                          // kPhysical: feeder and flatbed sizes in inches
  std::vector<const char*> texts;         // kTexts
  KSValue initial;
};

// The row for a tag, or nullptr for a tag the scanner does not know.
const KSCapability* FindCapability(int32_t tag);
const std::vector<KSCapability>& Capabilities();

// Inches in the unit of the UNITS tag (0 inch, 1 cm, 2 pixels at 300 per inch), and back.
double InchesToUnit(double inches, int units);
double UnitToInches(double value, int units);
