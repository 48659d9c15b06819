#include "scan_entry_points.h"

namespace tarnwick {

const char* const kScanEntryNames[kScanEntryCount] = {
    "ZebFree",       "ZebLoad",     "ZebSetProp",    "ZebAcquire",      "ZebSelectSource",
    "ZebSetValue",   "ZebGetValue", "ZebGetTagFlag", "ZebGetTagChoice", "ZebSetTagChoice",
};

void** ScanEntrySlot(ScanEntryPoints& e, ScanEntry entry) {
  switch (entry) {
    case ScanEntry::ZebFree: return reinterpret_cast<void**>(&e.ZebFree);
    case ScanEntry::ZebLoad: return reinterpret_cast<void**>(&e.ZebLoad);
    case ScanEntry::ZebSetProp: return reinterpret_cast<void**>(&e.ZebSetProp);
    case ScanEntry::ZebAcquire: return reinterpret_cast<void**>(&e.ZebAcquire);
    case ScanEntry::ZebSelectSource: return reinterpret_cast<void**>(&e.ZebSelectSource);
    case ScanEntry::ZebSetValue: return reinterpret_cast<void**>(&e.ZebSetValue);
    case ScanEntry::ZebGetValue: return reinterpret_cast<void**>(&e.ZebGetValue);
    case ScanEntry::ZebGetTagFlag: return reinterpret_cast<void**>(&e.ZebGetTagFlag);
    case ScanEntry::ZebGetTagChoice: return reinterpret_cast<void**>(&e.ZebGetTagChoice);
    case ScanEntry::ZebSetTagChoice: return reinterpret_cast<void**>(&e.ZebSetTagChoice);
  }
  return nullptr;
}

bool IsScanEntryBound(const ScanEntryPoints& e, ScanEntry entry) {
  void** slot = ScanEntrySlot(const_cast<ScanEntryPoints&>(e), entry);
  return slot != nullptr && *slot != nullptr;
}

}  // namespace tarnwick
