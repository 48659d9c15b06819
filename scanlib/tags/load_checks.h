// The checks a value read from the settings store gets against the driver's record.
// Platform-free.
#pragma once
#include <cstdint>

#include "tag_setting_table.h"
#include "tag_state.h"

// An integer value of the row after the check (L, S, R, C, Z or none).
int32_t CheckLoadedInt(int row, const TagState& record, LoadCheck check, int32_t v);

// PAGESIZE: as S, but a size not among the choices becomes 1.
int32_t CheckLoadedPageSize(int row, const TagState& record, int32_t v);

// MINBUFFER: kept within 32768..2100000, compared unsigned.
int32_t ClampMinBuffer(int32_t v);

// One of GAMMA's four values (channel 0 the master).
float CheckLoadedGamma(const TagState& record, int channel, float v);

// HIGHLIGHT outside 0..255 becomes 255, SHADOW 0.
int16_t CheckLoadedHighlight(int32_t v);
int16_t CheckLoadedShadow(int32_t v);

// A stored BRIGHTNESS or CONTRAST (caller scale): outside -1000..1000 it becomes 0.
int32_t CheckCallerScale(int32_t v);
// The driver's value for a caller-scale value, by the record's kind of choices.
int32_t DriverValueForCallerScale(int row, const TagState& record, int32_t v);
