// The driver-information record of the ISIS bridge: ISISDriverInfoById fills it for one installed
// driver model, and ISISSetDriver and ISISSelectConfig take it back. The list shows ModelName
// (stored as SOURCENAME); DriverName names the driver (DRIVERNAME, and the section of
// "setscan.ini" that holds the model).
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct IsisDriverInfo {
  char ModelName[42];    // as long as a stored SOURCENAME can be
  char DriverName[34];   // as long as a source identity's Manufacturer
  char Version[16];
  int32_t Id;            // the index ISISDriverInfoById was asked for
};
#pragma pack(pop)

static_assert(sizeof(IsisDriverInfo) == 96);
static_assert(offsetof(IsisDriverInfo, ModelName) == 0);
static_assert(offsetof(IsisDriverInfo, DriverName) == 42);
static_assert(offsetof(IsisDriverInfo, Version) == 76);
static_assert(offsetof(IsisDriverInfo, Id) == 92);
