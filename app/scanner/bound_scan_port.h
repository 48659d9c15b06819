// The scan pass's library port over the bound pavlot.dll: each tag in its own size and type,
// every call through the binding's guard.
#pragma once
#include "scan_library.h"
#include "scan_library_port.h"

namespace tarnwick {

class BoundScanPort : public ScanLibraryPort {
 public:
  explicit BoundScanPort(ScanLibrary& library) : library_(library) {}
  int32_t SetNumber(uint16_t tag, int32_t value) override;
  int32_t SetText(uint16_t tag, const std::string& text) override;
  int32_t GetNumber(uint16_t tag, int32_t* answer) override;  // 0 when not answered
  std::string GetText(uint16_t tag) override;                 // "" when not answered
  int32_t SetProp(const TScanPropRec& prop) override;

 private:
  ScanLibrary& library_;
};

}  // namespace tarnwick
