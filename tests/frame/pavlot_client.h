// A caller of pavlot.dll as the application is one: the library is loaded by name and its
// exports are bound by name. Each test builds a folder holding pavlot.dll and the driver
// libraries its case needs; the test program itself lives in a folder without any of them, so
// the search path finds exactly what the case folder holds.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_folder.h"

struct PavlotClient {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSelectSource)() = nullptr;
  int32_t(__stdcall* ZebSetSource)(const char*) = nullptr;
  int32_t(__stdcall* ZebAcquire)(int32_t(__stdcall*)(void*, uint32_t*, int32_t)) = nullptr;
  int32_t(__stdcall* ZebAcquireUIOnly)(int32_t) = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;

  bool Load();     // LoadLibrary("pavlot.dll") and bind the exports by name
  void Unload();
};

class FrameClientTest : public ::testing::Test, protected CaseFolder {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies files into the case folder: "pavlot.dll", "zebdrv.dll", "isisdrv.dll" from bin/,
  // or "fixtures/<case>/<file>" from bin/fixtures.
  void Provide(const std::vector<std::string>& files);
  void LoadPavlot();  // loads pavlot.dll from the case folder

  static void StoreInt(const char* name, DWORD value);     // under Software\Quandrix
  static void StoreText(const char* name, const char* text);
  static std::string StoredText(const char* name);           // "<absent>" when absent
  static bool StoredInt(const char* name, DWORD* value);
  static bool IsLoaded(const char* dll) { return GetModuleHandleA(dll) != nullptr; }

  std::string LogText() const;                     // the debug log of this case
  int CountLogLines(const std::string& start) const;  // lines beginning with start

  PavlotClient pavlot;
};
