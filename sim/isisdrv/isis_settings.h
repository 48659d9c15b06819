// What the ISIS stand-in reads beside the simulated scanner's settings: section [Isis] of the same
// file, and "setscan.ini" in the Windows folder.
//   [Isis]  Resolutions=100,200,300 (a list; absent: the range ResolutionMin..ResolutionMax by
//           ResolutionStep, 50..600 by 1)   PageSizes=Letter,A4,Legal (the page sizes offered)
//           AreaStep=n (the step of the area tags, 1)   Highlight=values (absent: none)
//           Record=path (every value sent, one line each, appended to the file)
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
  std::string record;
  std::string setupDriver, setupModel;  // from setscan.ini
};

// Reads [Isis] from the settings file (none: the defaults) and setscan.ini.
IsisSettings LoadIsisSettings(const std::string& configPath);
