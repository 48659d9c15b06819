// The Windows module loader behind ScanLibrary: LoadLibraryA, GetProcAddress, FreeLibrary.
#pragma once
#include "scan_library.h"

namespace tarnwick {

class WindowsScanModuleLoader : public ScanModuleLoader {
 public:
  void* Load(const char* file) override;
  void* Resolve(void* module, const char* name) override;
  void Unload(void* module) override;
};

}  // namespace tarnwick
