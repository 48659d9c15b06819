// The localisation section name of a LANGUAGE setting. Platform-free.
#pragma once
#include <cstdint>

// LANGUAGE 0 is the system default, 1..3 pick English, Traditional and Simplified Chinese,
// anything larger is a language identifier of its own.
uint32_t LanguageIdFor(int32_t language, uint32_t systemDefaultLangId);

// Writes the identifier as four upper-case hex digits and a terminator (5 bytes).
void FormatLanguageSection(uint32_t langId, char out[5]);
