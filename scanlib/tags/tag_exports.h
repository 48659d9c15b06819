// The tag exports of pavlot.dll (ordinals in pavlot_exports.def).
#pragma once
#include <cstdint>

#include "scan_prop_rec.h"

extern "C" {
int32_t __stdcall ZebSetValue(uint32_t tag, void* value);
int32_t __stdcall ZebGetValue(uint32_t tag, void* value);
int32_t __stdcall ZebGetTagFlag(uint32_t tag, int32_t* flag);
int32_t __stdcall ZebGetTagChoice(uint32_t tag, int32_t index, void* value);
int32_t __stdcall ZebSetTagChoice(uint32_t tag, int32_t unused1, int32_t unused2);
int32_t __stdcall ZebResetValue(uint32_t tag, void* value);
int32_t __stdcall ZebSetProp(TScanPropRec prop);
}

// Tag flags.
constexpr int32_t kFlagUnsupported = 0x8000;
constexpr int32_t kFlagRange = 0x8001;
constexpr int32_t kFlagList = 0x8002;
