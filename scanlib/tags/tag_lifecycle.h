// Building and releasing the tag records when a driver starts and stops.
#pragma once
#include <cstdint>

// Builds every tag record from the active driver and moves the library to state 5; answers the
// status that InitDrv keeps as the last status.
int32_t ZebInitTag();

// Frees every tag record and moves the library back to state 4.
void ZebFreeTag();
