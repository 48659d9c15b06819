// Driver kind 1: the tag records from the open TWAIN source's capabilities.
#pragma once
#include <cstdint>

#include "tag_state.h"
#include "tag_table.h"

// Fills one row's record from the source's answer for the row's capability (or the tag's fixed
// list or range), then loads the stored value. Answers 0, or -8 when the source's container
// cannot describe the tag.
int32_t InitTWTag(const TagDef* row, TagState* record);

// Clears what the previous source left before the records are built again.
void ResetTWTagState();

// Driver kind 1: pushes every tag value of a scan to the open source before TWAINAcquire;
// 0, the first refusal of a push that must succeed, -7, or -16 for a feeder scan with no paper.
int32_t TWAINSetProp();
