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
