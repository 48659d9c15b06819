// The source record that zebdrv.dll's KSGetDS fills and KSSetDriverById takes: fixed offsets
// inside a 281-byte buffer of the caller's.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct KSSourceRecord {
  char Version[13];         // the driver's version text
  char DriverName[125];     // first part of the driver name
  char InterfaceName[33];   // second part: the device's interface library ("ksaspi32.dll", ...)
  char ListName[42];        // the source's name in the source list (SOURCENAME)
  char Manufacturer[38];
  char AdapterName[29];     // SCSI adapter
  uint8_t ScsiId;
};
#pragma pack(pop)

static_assert(sizeof(KSSourceRecord) == 281);
static_assert(offsetof(KSSourceRecord, DriverName) == 13);
static_assert(offsetof(KSSourceRecord, InterfaceName) == 138);
static_assert(offsetof(KSSourceRecord, ListName) == 171);
static_assert(offsetof(KSSourceRecord, Manufacturer) == 213);
static_assert(offsetof(KSSourceRecord, AdapterName) == 251);
static_assert(offsetof(KSSourceRecord, ScsiId) == 280);

// KSGetDS messages.
constexpr int32_t kKSGetFirst = 2;
constexpr int32_t kKSGetNext = 3;

// A query block as KSQueryData hands it back: a movable global block holding this header; the
// data block holds Count values (Count >= 1) or minimum, maximum and step (Count 0).
#pragma pack(push, 1)
struct KSQueryHeader {
  uint32_t Count;
  void* Data;   // HGLOBAL of the second movable global block; lock it to read the values
};
#pragma pack(pop)
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(KSQueryHeader) == 8);
#endif
