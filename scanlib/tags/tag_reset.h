// Saving a record's value, resetting a row to its default, and the geometry that follows
// SCANTYPE and UNITS.
#pragma once
#include <cstdint>

// Saves the row's current value (the channel rows: all four; BRIGHTNESS and CONTRAST on the
// caller's scale) under the scan-data key.
int32_t SaveRow(int row);

// Current := Default with the rules of each row; saved; out (may be empty) receives the value.
void ResetRow(int row, void* out);

// PHYSICALWIDTH and PHYSICALHEIGHT take their current value from their lists by SCANTYPE.
void PhysicalSizeForScanType();

// Converts every geometry value, and the physical sizes' defaults, from one unit to another.
void ConvertGeometry(int32_t from, int32_t to);

// LENGTHDETECT's maximum: what is left below the area.
void UpdateLengthDetect();
