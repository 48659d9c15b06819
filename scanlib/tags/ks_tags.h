// Driver kind 0: the tag records from zebdrv.dll's query blocks, and the push of a scan's
// values to the driver.
#pragma once
#include <cstdint>

#include "tag_state.h"
#include "tag_table.h"

// Fills one row's record from the driver's answer for the tag, then loads the stored value.
// Answers 0 or the driver's error (the record is then left as it was).
int32_t InitKSTag(const TagDef* row, TagState* record);

// Frees the query block the last query left behind.
void ReleaseKSQueryBlock();

// Pushes every tag value of a scan to the driver; 0 or the first refusal of a step that stops.
int32_t KSSetProp();
// Sets FILTER to the channel and sends that channel's colour values and gamma.
int32_t KSSetChannelProps(int32_t type, int32_t channel);

// The geometry margins of the maker's driver by unit.
float KSAreaMargin(int32_t unit);
