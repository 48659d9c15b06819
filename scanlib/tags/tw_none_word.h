// The localised word for "no halftone", as the DITHER list and the push both compare it.
#pragma once
#include <string>

// The key "None" of the language's section of the localisation file kept at start-up
// (LOCALIZE), "None" when absent; cut to what a DITHER item holds (32 characters).
std::string NoneWord();
