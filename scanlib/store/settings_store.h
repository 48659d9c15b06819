// Reading and writing one named value of the user's settings: the registry under
// HKEY_CURRENT_USER, with the INI file "c:\temp\ondrel.ini" standing in while the most recent
// registry write has failed.
#pragma once
#include <cstdint>

constexpr const char* kGeneralKey = "Software\\Quandrix";
constexpr const char* kScanDataKey = "Software\\Quandrix\\ScanData";
constexpr const char* kFallbackFolder = "c:\\temp";
constexpr const char* kFallbackFile = "c:\\temp\\ondrel.ini";
constexpr const char* kFallbackSection = "Options";

enum SettingKind : int { kSettingInt = 0, kSettingString = 1 };

// Fills dest (size bytes) with the value; strings always end with a terminator inside size.
// Answers 0 when the registry held the value, else the registry's error code.
long ReadSetting(const char* keyPath, const char* name, void* dest, int kind, int size);

// Writes the value (size bytes of data; an integer is 4 bytes). Answers 1 when the registry
// took it, 0 when it went to the fallback file.
int WriteSetting(const char* keyPath, const char* name, const void* data, int kind, int size);

// Convenience forms.
int32_t ReadSettingInt(const char* keyPath, const char* name, int32_t fallback, long* status = nullptr);
int WriteSettingInt(const char* keyPath, const char* name, int32_t value);
int WriteSettingString(const char* keyPath, const char* name, const char* text);

// Fallback state and log level, for the log writer and for tests.
bool SettingsFallbackActive();
int32_t SettingsLogLevel();
void ResetSettingsStore();  // back to the state at load: fallback off, log level 0
