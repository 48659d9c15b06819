#include "scan_library.h"

namespace tarnwick {

void ScanLibrary::Load(void* ownerWindow) {
  if (depth_++ > 0) return;  // already bound by an outer command
  errorShown_ = false;
  loadStatus_ = kScanEntryNotBound;
  entries_ = ScanEntryPoints{};
  module_ = loader_.Load(kScanLibraryFile);
  if (module_ == nullptr) return;
  for (int i = 0; i < kScanEntryCount; ++i) {
    const auto entry = static_cast<ScanEntry>(i);
    *ScanEntrySlot(entries_, entry) = loader_.Resolve(module_, kScanEntryNames[i]);
  }
  // ZebLoad's own status is no failure of the binding: before a scanner is chosen the library
  // answers "no source" and still offers its source dialog.
  if (entries_.ZebLoad != nullptr) loadStatus_ = entries_.ZebLoad(ownerWindow);
}

void ScanLibrary::Free() {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  Release();
}

void ScanLibrary::Rebind(void* ownerWindow) {
  if (depth_ == 0) return;
  const int depth = depth_;
  Release();
  depth_ = 0;
  Load(ownerWindow);
  depth_ = depth;
}

void ScanLibrary::Release() {
  if (entries_.ZebFree != nullptr) entries_.ZebFree();
  if (module_ != nullptr) loader_.Unload(module_);
  module_ = nullptr;
  entries_ = ScanEntryPoints{};
}

bool ScanLibrary::Require(std::initializer_list<ScanEntry> needed) {
  for (ScanEntry entry : needed) {
    if (!IsScanEntryBound(entries_, entry)) {
      NotBound();
      return false;
    }
  }
  return !errorShown_;
}

int32_t ScanLibrary::NotBound() {
  if (!errorShown_) {
    errorShown_ = true;
    errors_.ShowScanError();
  }
  return kScanEntryNotBound;
}

int32_t ScanLibrary::SetProp(const TScanPropRec& prop) {
  return entries_.ZebSetProp ? entries_.ZebSetProp(prop) : NotBound();
}

int32_t ScanLibrary::Acquire(ScanPageProc callback) {
  return entries_.ZebAcquire ? entries_.ZebAcquire(callback) : NotBound();
}

int32_t ScanLibrary::SelectSource() {
  return entries_.ZebSelectSource ? entries_.ZebSelectSource() : NotBound();
}

int32_t ScanLibrary::SetValue(uint32_t tag, void* value) {
  return entries_.ZebSetValue ? entries_.ZebSetValue(tag, value) : NotBound();
}

int32_t ScanLibrary::GetValue(uint32_t tag, void* value) {
  return entries_.ZebGetValue ? entries_.ZebGetValue(tag, value) : NotBound();
}

int32_t ScanLibrary::GetTagFlag(uint32_t tag, int32_t* flag) {
  return entries_.ZebGetTagFlag ? entries_.ZebGetTagFlag(tag, flag) : NotBound();
}

int32_t ScanLibrary::GetTagChoice(uint32_t tag, int32_t index, void* value) {
  return entries_.ZebGetTagChoice ? entries_.ZebGetTagChoice(tag, index, value) : NotBound();
}

}  // namespace tarnwick
