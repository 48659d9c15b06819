// The localisation section of the chosen language, and texts read from the localisation file.
#pragma once
#include <string>

constexpr const char* kLocalisationFile = "pavlot.loc";

// Writes the section name ("0409", ...) of LANGUAGE under ScanData into dest (at least 5 bytes).
void GetLanguageCode(char* dest);

// A text of the language section; the built-in default when the file, section or key is missing.
std::string LocalText(const char* locFile, const char* section, const char* key, const char* fallback,
                      int maxBytes = 256);
