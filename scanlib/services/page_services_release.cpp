#include "page_services_release.h"

#include "barcode_library.h"
#include "library_state.h"
#include "ocr_library.h"

void WatchPageServicesRelease() { gLib.releasePageServices = FreePageServices; }

void FreePageServices() {
  ZebFreeBarCode();
  ZebFreeOCR();
}
