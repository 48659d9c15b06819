// Where the two editions' scan loops part: how a plain scan starts and goes on to the save-format
// dispatch, when a pass asks the scanner's capabilities itself, how brightness and contrast are
// sent, and whether the library is bound afresh before the paper answer of a continue.
// Platform-free.
#pragma once

#include "edition.h"

namespace tarnwick {

// What a plain scan (the Scan button) does before its checks.
struct PlainScanStart {
  bool ClearFileList;      // the hidden file list is emptied
  bool StripEnabled;       // the thumbnail strip's state during the run
  bool KeepBinding;        // the binding of the start lasts through the run
};
PlainScanStart PlainScanStartOf(Edition edition);

// "ShowUI" on sends a scan to the flatbed unless the scanner forces its method.
bool ForcesFlatbedWithDeviceWindow(Edition edition, bool showUI, bool methodForced);

enum class PlainScanRoute {
  Dispatch,          // the save-format dispatch
  PaperMessage,      // the feeder is empty: the paper message, no scan
  AskPaperAgain,     // bind once more for a fresh paper answer; dispatch when it is 1
};
// After the start's capability query and paper answer (`paper`: the answer was 1).
PlainScanRoute PlainScanRouteOf(Edition edition, int scanMethod, bool showUI, bool paper);

// A pass starting a new batch asks the capabilities itself (the settings form not opened yet).
bool QueriesCapsAtNewBatch(Edition edition, bool capsQueried);

// Continuing with the feeder releases the library and binds it again before the paper answer.
bool RebindsBeforeFeederPaper(Edition edition);

// Brightness and contrast per colour channel (0, 1, 3, 2, COLORMATCH set first) for an image
// type, rather than one pair.
bool BrightnessPerChannel(Edition edition, int imageType);

}  // namespace tarnwick
