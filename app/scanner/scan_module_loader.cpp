#include "scan_module_loader.h"

#include <windows.h>

namespace tarnwick {

void* WindowsScanModuleLoader::Load(const char* file) { return LoadLibraryA(file); }

void* WindowsScanModuleLoader::Resolve(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void WindowsScanModuleLoader::Unload(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

}  // namespace tarnwick
