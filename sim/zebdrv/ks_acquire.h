// One scan of the simulated scanner: pages from the feeder or the glass, each announced with a
// ScanPageInfo and delivered as row blocks through the caller's page callback.
#pragma once
#include <cstdint>

#include "ks_device.h"
#include "scan_page_info.h"

int32_t RunScan(KSDevice& device, PageCallbackProc callback, void* buffer);
