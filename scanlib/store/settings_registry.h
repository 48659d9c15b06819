// The registry as the settings store sees it: four calls, so a test can make them fail.
#pragma once
#include <windows.h>

struct SettingsRegistry {
  LONG (*create)(HKEY root, const char* path, HKEY* out);
  LONG (*query)(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
  LONG (*set)(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
  LONG (*close)(HKEY key);
};

// The real registry (advapi32).
const SettingsRegistry* Win32SettingsRegistry();

// Swaps the registry used by the store; nullptr restores the real one. Answers the previous one.
const SettingsRegistry* SetSettingsRegistry(const SettingsRegistry* registry);
