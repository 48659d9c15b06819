// Building and releasing the tag records, and what the tag exports check first.
#pragma once
#include <cstdint>

// Gives all 59 records the "unsupported" form: Count -1, no choices, and the blocks that string
// and channel rows hold their values in. Releases whatever the records held before.
bool MakeUnsupportedRecords();
// Frees every block the records hold and clears every pointer; safe to call twice.
void FreeTagRecords();

// The check every tag export makes before it touches a record. startDriver: ZebResetValue and
// ZebSetTagChoice start the driver from states 2 and 3 themselves.
int32_t TagEntryCheck(bool startDriver);
