// Flags the driver adapters set for the acquisition.
#pragma once
#include <cstdint>

extern int32_t DriverDelivers;  // 1: the driver delivers whole pages; 0: the library assembles them
extern int32_t FeederInUse;     // the scan being prepared runs from the feeder
extern int32_t OwnDevice;       // the maker's driver named its product (tag 0x9004)
