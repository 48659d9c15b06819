// The full release of the library frees what the page services loaded on demand.
#pragma once

// Has the next full release run FreePageServices (once armed, it stays so until then).
void WatchPageServicesRelease();
// The barcode library, then the OCR library.
void FreePageServices();
