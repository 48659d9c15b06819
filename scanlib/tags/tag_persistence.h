// Keeping tag values across runs: one value (or four, for the channel tags) per tag under
// "Software\Quandrix\ScanData", and the driver choice under "Software\Quandrix".
#pragma once
#include <cstddef>
#include <cstdint>

#include "tag_state.h"
#include "tag_table.h"

// Writes one tag's value. value points to the value in the tag's type: a 16- or 32-bit number,
// a float, a string; for HIGHLIGHT and SHADOW the four 16-bit values, for GAMMA the four floats,
// for BRIGHTNESS and CONTRAST the four caller-scale values (CallerScaleValues). The channel
// tags and FILTER go under `key`, the other rows under the scan-data key, SOURCE, SOURCENAME
// and DRIVERNAME under the general key. Answers WriteSetting's result (1 registry, 0 fallback
// file); a tag that is never stored is not written and answers 0.
int32_t SaveTagSetting(const char* key, uint32_t tag, const void* value);

// Reads one tag's stored value (its fallback when nothing is stored) into value, sets the
// record's Default and checks the value against the record's choices. value is, for a number
// row, the record's Current field (uintptr_t, numbers as the records hold them); for a string
// row a buffer of the type's size; for a channel row its four-value array; for SOURCE an
// int32_t; for SOURCENAME a TW_IDENTITY ProductName (34 bytes: at most 33 characters land).
void LoadTagSetting(uint32_t tag, void* value, const TagDef* row, TagState* record);

// Convenience forms for the frame.
int32_t LoadDriverKind();                          // SOURCE; 0 when never stored
void LoadSourceName(char* out, size_t outSize);    // SOURCENAME; "" when never stored
