// pavlot.dll loaded by name, as the application loads it, with the exports a scan needs, and
// the simulated scanner's settings file for the case.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scan_page_info.h"

struct PavlotScan {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebAcquire)(PageCallbackProc) = nullptr;
  int32_t(__stdcall* ZebAcquireUIOnly)(int32_t) = nullptr;

  bool Load();
  void Unload();

  int32_t Set16(uint16_t tag, int32_t value);
  int32_t Set32(uint16_t tag, int32_t value);
};

// Points the simulated scanner at a settings file with this text (until ForgetScanner).
void UseScanner(const std::string& iniText);
void ForgetScanner();

// Removes HKCU "Software\Quandrix" and the INI fallback, so each case starts from defaults.
void ForgetStoredSettings();
