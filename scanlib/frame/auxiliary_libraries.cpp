#include "auxiliary_libraries.h"

#include "library_state.h"

namespace {

template <typename T>
void Resolve(HMODULE module, const char* name, T* slot) {
  *slot = module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                 : nullptr;
}

void Release(HMODULE* module) {
  if (*module) FreeLibrary(*module);
  *module = nullptr;
}

}  // namespace

void LoadAuxiliaryLibraries() {
  AuxiliaryLibraries& a = gLib.aux;
  if (!a.zebip) a.zebip = LoadLibraryA("zebip.dll");
  Resolve(a.zebip, "DoDeskew", &a.DoDeskew);
  if (!a.cropDeskew) a.cropDeskew = LoadLibraryA("cropdeskew2.dll");
  Resolve(a.cropDeskew, "deskew_crop_option", &a.deskew_crop_option);
  Resolve(a.cropDeskew, "reference", &a.reference);
  if (!a.filterDll) a.filterDll = LoadLibraryA("FilterDll.dll");
  Resolve(a.filterDll, "FilterBlue", &a.FilterBlue);
}

void FreeAuxiliaryLibraries() {
  AuxiliaryLibraries& a = gLib.aux;
  Release(&a.zebip);
  Release(&a.cropDeskew);
  Release(&a.filterDll);
  a = AuxiliaryLibraries{};
}
