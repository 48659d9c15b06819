// What the ISIS stand-in reads beside the simulated scanner's settings: the sections [Isis] and
// [Isis2] of the same file, and "setscan.ini" in the Windows folder.
//   [Isis]  the first model, "ZS-3000 ISIS":
//           Resolutions=100,200,300 (a list; absent: the range ResolutionMin..ResolutionMax by
//           ResolutionStep, 50..600 by 1)   PageSizes=Letter,A4,Legal (the page sizes offered)
//           AreaStep=n (the step of the area tags, 1)   Highlight=values (absent: none)
//           Duplex=0 (the model scans one side only; absent: as the scanner does)
//           Record=path (every value sent, one line each, appended to the file)
//   [Isis2] the second model, "ZS-1200 ISIS": it starts from ResolutionMin=100,
//           ResolutionMax=300, ResolutionStep=50, PageSizes=A4,Letter, Duplex=0, takes AreaStep,
//           Highlight and Record from [Isis], and reads any of the keys above from its own section.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim_scanner.h"

struct IsisSettings {
  std::vector<int32_t> resolutions;
  int32_t resolutionMin = 50, resolutionMax = 600, resolutionStep = 1;
  std::vector<zebsim::Paper> pageSizes = {zebsim::Paper::Letter, zebsim::Paper::A4, zebsim::Paper::Legal};
  int32_t areaStep = 1;
  std::vector<int32_t> highlight;
  bool duplex = true;  // both sides when the scanner has them
  std::string record;
};

// The driver models the bridge offers, in the order ISISDriverInfoById lists them.
struct IsisModel {
  const char* name;     // the model, as the source list shows it
  const char* driver;   // the driver that serves it
  const char* version;
};
constexpr IsisModel kIsisModels[] = {
    {"ZS-3000 ISIS", "zebisis", "1.2.0"},
    {"ZS-1200 ISIS", "zebisis", "1.2.0"},
};
constexpr int kIsisModelCount = static_cast<int>(sizeof(kIsisModels) / sizeof(kIsisModels[0]));

// One model's settings from the settings file (none: the model's defaults).
IsisSettings LoadIsisSettings(const std::string& configPath, int model);

// "setscan.ini" in the Windows folder: the driver under [Scanner] "Driver", then its model under
// the driver's own section.
struct IsisSetup {
  std::string driver, model;
};
IsisSetup ReadIsisSetup();

// The model setscan.ini names (driver and model both matching, without regard to case), or -1.
int ModelNamedBy(const IsisSetup& setup);
