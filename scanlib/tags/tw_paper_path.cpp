// The paper path of a TWAIN scan by SCANTYPE: 0 feeder when loaded (else flatbed), 1 feeder,
// 2 flatbed, 3 and 4 transparency.
#include "driver_flags.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_types.h"
#include "tw_caps.h"
#include "tw_push.h"
#include "tw_set_prop_steps.h"

namespace {

// The feeder's paper sensor; the value block is given back when the answer goes.
bool FeederLoaded() {
  TwAnswer a;
  a.Ask(kCapFeederLoaded, kTwBool);
  return a.kind() == kTwOneValue && a.ItemInt(0) != 0;
}

int32_t Glass(uint32_t lightPath) {
  FeederInUse = 0;
  PushValue(kCapAutoScan, 0);
  const int32_t rc = PushValue(kCapFeederEnabled, 0);
  if (rc != 0) return rc;
  // A duplex left from an earlier feeder scan would name the glass's page as a sheet's side.
  PushValue(kCapDuplexEnabled, 0);
  // Sources without a light path refuse this; nothing of the scan depends on it.
  PushValue(kIcapLightPath, lightPath);
  return 0;
}

}  // namespace

int32_t PushPaperPath() {
  const uint32_t duplex = static_cast<uint32_t>(CurrentInt(kRowFeederType));
  switch (CurrentInt(kRowScanType)) {
    case 0: {
      // A feeder the source will not enable holds no paper for this scan.
      const bool enabled = PushValue(kCapFeederEnabled, 1) == 0;
      if (enabled && FeederLoaded()) {
        FeederInUse = 1;
        PushValue(kCapDuplexEnabled, duplex);
      } else {
        PushValue(kCapFeederEnabled, 0);
        PushValue(kCapDuplexEnabled, 0);
        FeederInUse = 0;
        SetCurrentInt(kRowFeederType, 0);
      }
      PushValue(kIcapLightPath, kTwlpReflective);
      return 0;
    }
    case 1: {
      FeederInUse = 1;
      const int32_t rc = PushValue(kCapFeederEnabled, 1);
      if (rc != 0) return rc;
      if (!FeederLoaded()) return kZebNoPaper;
      PushValue(kCapDuplexEnabled, duplex);
      PushValue(kIcapLightPath, kTwlpReflective);
      return 0;
    }
    case 2: return Glass(kTwlpReflective);
    case 3: case 4: return Glass(kTwlpTransmissive);
    default: return 0;
  }
}
