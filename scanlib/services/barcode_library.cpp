#include "barcode_library.h"

#include "debug_log.h"
#include "library_state.h"
#include "page_services_release.h"
#include "status_codes.h"

namespace {

template <typename T>
void Resolve(HMODULE module, const char* name, T* slot) {
  *slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void FreeWork(BarcodeLibrary& b) {
  if (b.work) GlobalFree(b.work);
  b.work = nullptr;
}

}  // namespace

BarcodeLibrary& Barcode() {
  static BarcodeLibrary library;
  return library;
}

bool BindBarcodeLibrary() {
  BarcodeLibrary& b = Barcode();
  if (b.module) return b.DecodeData != nullptr;
  HMODULE module = LoadLibraryA("zebbcode.dll");
  if (!module) return false;
  BarcodeLibrary bound;
  bound.module = module;
  Resolve(module, "DecodeData", &bound.DecodeData);
  Resolve(module, "FreeBarCode", &bound.FreeBarCode);
  Resolve(module, "LoadBarCode", &bound.LoadBarCode);
  if (!bound.DecodeData || !bound.FreeBarCode || !bound.LoadBarCode) {
    FreeLibrary(module);  // nothing of it is kept, so no call goes to a half-bound library
    return false;
  }
  bound.LoadBarCode(gLib.ownerWindow);
  bound.work = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kBarcodeWorkSize);
  b = bound;
  WatchPageServicesRelease();
  return true;
}

bool GrowBarcodeWork(uint64_t bytes) {
  BarcodeLibrary& b = Barcode();
  if (bytes > 0x7FFFFFFFu) return false;
  if (b.work && GlobalSize(b.work) >= bytes) return true;
  HGLOBAL grown = b.work ? GlobalReAlloc(b.work, SIZE_T(bytes), GMEM_MOVEABLE | GMEM_ZEROINIT)
                         : GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(bytes));
  if (!grown) return false;  // the old block stays the library's
  b.work = grown;
  return true;
}

int32_t ZebFreeBarCode() {
  LogIn("ZebFreeBarCode");
  BarcodeLibrary& b = Barcode();
  FreeWork(b);
  int32_t rc = kZebNotBound;
  if (b.module) {
    if (b.FreeBarCode) rc = b.FreeBarCode();
    FreeLibrary(b.module);
  }
  b = BarcodeLibrary{};
  LogOut("ZebFreeBarCode", rc);
  return rc;
}
