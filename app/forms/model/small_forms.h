// What the small dialogs show and decide, free of any window: the prepare-scanner dialog's page
// count label and scan-method group, and the about box's version label.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "edition.h"
#include "interface_texts.h"

namespace tarnwick {

// The version literal at the start of the about box's first label.
extern const char16_t* const kVersionLiteral;  // u"Folvex 1.6.4 "

// The literal of an edition: the second edition's is u"Folvex 1.6.3 ".
const char16_t* VersionLiteral(Edition edition);

std::u16string AboutVersionLabel(const InterfaceTexts& texts, Edition edition = kBuiltEdition);
// Text 1001, a blank, the pages scanned so far, a blank, text 1002.
std::u16string PageCountLabel(const InterfaceTexts& texts, int32_t pages);

// The scan-method group (0 feeder, 1 flatbed) as the scanner settings form shows it: enabled
// only when the scanner takes both methods; the selection by the capabilities and the setting.
struct ScanMethodGroupState {
  bool enabled = false;
  int32_t selected = 1;
};
ScanMethodGroupState ScanMethodGroupFor(bool feederAvailable, bool scanMethodForced,
                                        int32_t scanMethod);

// The prepare-scanner dialog's lasting state: its group items are added on the first show.
struct ConBFormModel {
  std::vector<std::u16string> groupItems;
  std::u16string groupCaption;
  std::u16string pageInfo;       // set by the scan loop before showing
  bool canEnabled = true;        // the scan loop disables Cancel while it waits for a page file
  ScanMethodGroupState group;
  int32_t scanMethod = 0;        // the selection when the dialog closed

  // Captions and items for a show; the items only the first time. In both editions the group
  // is enabled only when the scanner takes both methods and shows the "Scan Method" setting.
  void Show(const InterfaceTexts& texts, bool feederAvailable, bool scanMethodForced,
            int32_t scanMethodSetting, Edition edition = kBuiltEdition);
};

}  // namespace tarnwick
