// The simulated source's settings file: the feeder of the simulated scanner and the faults only a
// TWAIN source has. Named by the environment variable QUANDRIX_SIM_TWAIN; without it the source
// runs with the defaults.
//   [Feeder] [Fault] [Sources]   as every simulated scanner reads them
//   [Twain]  Refuse=0x1118,...   capabilities whose MSG_SET fails with TWCC_BADVALUE
//            Adjust=0x1101,...   capabilities whose MSG_SET answers TWRC_CHECKSTATUS
//            RefuseValue=0x0103:0,... capability:value pairs whose MSG_SET fails (TWCC_BADVALUE)
//            OneValue=0x0103,... capabilities whose MSG_GET answers their current value alone
//            Unsupported=0x111e,... capabilities the source does not know
//            ProductName=text    the answer to the product-name capability 0x1213
//            Resolution=dpi      the resolution the source starts with (default 300)
//            LightPaths=0,1,...  the light paths ICAP_LIGHTPATH lists (default: reflective)
//            DoubleFeed=k        a double feed at page k
//            FailAt=imageinfo|setupmem|memxfer|nativexfer|filexfer|endxfer|reset|enable|setupfile
//            FailPage=k          the page FailAt strikes (0: the first time)
//            Condition=n         the condition code of that failure (default TWCC_BUMMER)
//            Scans=n             with its own window shown, scans before the operator closes it
//            RowPadding=n        memory rows padded to a multiple of n bytes (0: none)
//            StripRows=n         at most n rows per memory strip (0: as many as fit)
//            FailStrip=k         FailAt=memxfer strikes at the k-th strip of its page
//            RefuseCondition=n   the condition code of a Refuse or RefuseValue refusal
//            PixelUnits=1        ICAP_UNITS starts as pixels, and a resolution set while the
//                                unit is pixels fails with TWCC_CAPSEQERROR
//            DepthsOfPixelType=1 ICAP_BITDEPTH lists, and takes, the current pixel type's depth only
//            MinBufSize=n        the least memory block the source takes (default: one row)
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim_scanner.h"

struct DsConfig {
  zebsim::SimConfig sim;
  std::vector<uint16_t> refuse;
  std::vector<uint16_t> adjust;
  std::vector<std::pair<uint16_t, uint32_t>> refuseValue;
  std::vector<uint16_t> oneValue;
  std::string productName;
  std::vector<uint16_t> lightPaths;
  int resolution = 0;
  std::vector<uint16_t> unsupported;
  int doubleFeedPage = 0;
  std::string failAt;
  int failPage = 0;
  uint16_t condition = 1;
  int scans = 1;
  int rowPadding = 0;
  int stripRows = 0;
  int failStrip = 0;
  uint16_t refuseCondition = 10;  // TWCC_BADVALUE
  bool pixelUnits = false;
  bool depthsOfPixelType = false;
  uint32_t minBufSize = 0;
};

// Reads the file named by QUANDRIX_SIM_TWAIN; the defaults when there is none.
DsConfig LoadDsConfig();
