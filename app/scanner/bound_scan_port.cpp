#include "bound_scan_port.h"

#include "scan_tags.h"

namespace tarnwick {

int32_t BoundScanPort::SetNumber(uint16_t tag, int32_t value) {
  return SetScanTagNumber(library_, tag, value);
}

int32_t BoundScanPort::SetText(uint16_t tag, const std::string& text) {
  return SetScanTagText(library_, tag, text);
}

int32_t BoundScanPort::GetNumber(uint16_t tag, int32_t* answer) {
  *answer = 0;
  return GetScanTagNumber(library_, tag, answer);
}

std::string BoundScanPort::GetText(uint16_t tag) {
  std::string text;
  GetScanTagText(library_, tag, &text);
  return text;
}

int32_t BoundScanPort::SetProp(const TScanPropRec& prop) { return library_.SetProp(prop); }

}  // namespace tarnwick
