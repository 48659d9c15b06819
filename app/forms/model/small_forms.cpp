#include "small_forms.h"

namespace tarnwick {

const char16_t* const kVersionLiteral = u"Folvex 1.6.4 ";

const char16_t* VersionLiteral(Edition edition) {
  return edition == Edition::kSecond ? u"Folvex 1.6.3 " : kVersionLiteral;
}

std::u16string AboutVersionLabel(const InterfaceTexts& texts, Edition edition) {
  return std::u16string(VersionLiteral(edition)) + texts.Text(102);
}

std::u16string PageCountLabel(const InterfaceTexts& texts, int32_t pages) {
  return texts.Text(1001) + u" " + DecimalText(pages) + u" " + texts.Text(1002);
}

ScanMethodGroupState ScanMethodGroupFor(bool feederAvailable, bool scanMethodForced,
                                        int32_t scanMethod) {
  ScanMethodGroupState s;
  int32_t setting = scanMethod == 0 || scanMethod == 1 ? scanMethod : -1;
  if (feederAvailable && !scanMethodForced) {
    s.enabled = true;
    s.selected = setting >= 0 ? setting : 0;
  } else if (feederAvailable) {
    s.enabled = false;
    s.selected = 0;
  } else if (scanMethodForced) {
    s.enabled = false;
    s.selected = setting >= 0 ? setting : 1;
  } else {
    s.enabled = false;
    s.selected = 1;
  }
  return s;
}

void ConBFormModel::Show(const InterfaceTexts& texts, bool feederAvailable, bool scanMethodForced,
                         int32_t scanMethodSetting, Edition edition) {
  if (groupItems.empty()) {
    groupItems = {texts.Text(3), texts.Text(4)};
    groupCaption = texts.Text(5);
  }
  // The first edition enables the group as the scanner settings form does and then selects
  // the setting; the second enables it for a scanner taking both methods and selects the
  // setting. Both come to the same group; a setting outside 0..1 leaves the form's choice.
  group = ScanMethodGroupFor(feederAvailable, scanMethodForced, scanMethodSetting);
  if (edition == Edition::kSecond) group.enabled = feederAvailable && !scanMethodForced;
  if (scanMethodSetting == 0 || scanMethodSetting == 1) group.selected = scanMethodSetting;
  scanMethod = group.selected;
}

}  // namespace tarnwick
