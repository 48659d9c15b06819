// The localisation section of the chosen language, and texts read from the localisation file.
#pragma once
#include <string>

constexpr const char* kLocalisationFile = "pavlot.loc";

// The section every language falls back to for a key its own section lacks.
constexpr const char* kBaseLanguageSection = "0409";

// Writes the section name ("0409", ...) of LANGUAGE under ScanData into dest (at least 5 bytes).
void GetLanguageCode(char* dest);

// A text of the language section in the ANSI code page, for texts that meet the drivers' own.
// A key missing from the section is taken from section "0409"; the built-in default is used
// when the file or both keys are missing.
std::string LocalText(const char* locFile, const char* section, const char* key, const char* fallback,
                      int maxBytes = 256);

// The same text as UTF-8, whatever the ANSI code page holds, for the dialogs' controls; at most
// maxChars - 1 characters.
std::string LocalTextUtf8(const char* locFile, const char* section, const char* key,
                          const char* fallback, int maxChars = 256);

std::wstring WideOfUtf8(const std::string& utf8);
