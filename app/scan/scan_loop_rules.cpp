#include "scan_loop_rules.h"

namespace tarnwick {

namespace {
bool Second(Edition edition) { return edition == Edition::kSecond; }
}  // namespace

PlainScanStart PlainScanStartOf(Edition edition) {
  if (Second(edition)) return {false, false, false};
  return {true, true, true};
}

bool ForcesFlatbedWithDeviceWindow(Edition edition, bool showUI, bool methodForced) {
  return !Second(edition) && showUI && !methodForced;
}

PlainScanRoute PlainScanRouteOf(Edition edition, int scanMethod, bool showUI, bool paper) {
  if (Second(edition))
    return scanMethod != 0 || showUI ? PlainScanRoute::Dispatch : PlainScanRoute::AskPaperAgain;
  return scanMethod == 0 && !paper ? PlainScanRoute::PaperMessage : PlainScanRoute::Dispatch;
}

bool QueriesCapsAtNewBatch(Edition edition, bool capsQueried) {
  return Second(edition) && !capsQueried;
}

bool RebindsBeforeFeederPaper(Edition edition) { return Second(edition); }

bool BrightnessPerChannel(Edition edition, int imageType) {
  return imageType == 2 || (imageType == 1 && !Second(edition));
}

}  // namespace tarnwick
