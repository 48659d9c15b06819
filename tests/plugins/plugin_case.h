// A case folder holding a copy of pavlot.dll, the simulated scanner's zebdrv.dll and the
// fixture plug-ins a case names; pavlot.dll is loaded from there by name and its exports bound
// by name, as the application binds it. The current folder during a case is a folder beside it
// that holds no library.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "case_folder.h"
#include "scan_page_info.h"

struct PavlotFiles {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetTagChoice)(uint32_t, int32_t, void*) = nullptr;
  int32_t(__stdcall* ZebFileCreate)(const char*, ScanPageInfo*, intptr_t) = nullptr;
  int32_t(__stdcall* ZebFileSave)(const void*, int32_t, int32_t, int32_t, int32_t) = nullptr;
  int32_t(__stdcall* ZebFileClose)(int32_t) = nullptr;
  int32_t(__stdcall* ZebGetCompMode)(uint16_t**, int32_t*, int32_t) = nullptr;
  int32_t(__stdcall* ZebGetFileExt)(uint16_t**, int32_t*, int32_t) = nullptr;
  int32_t(__stdcall* ZebGetFileExtStr)(char*) = nullptr;
  int32_t(__stdcall* ZebOpenImage)(const char*, int32_t*, intptr_t, intptr_t) = nullptr;
  int32_t(__stdcall* ZebGetImage)(HGLOBAL*, ScanPageInfo*, intptr_t, intptr_t) = nullptr;
  int32_t(__stdcall* ZebCloseImage)() = nullptr;
  int32_t(__stdcall* ZebSetPageIndex)(int32_t, intptr_t) = nullptr;
  int32_t(__stdcall* ZebSaveAs)(HGLOBAL, const char*, intptr_t, intptr_t) = nullptr;
  int32_t(__stdcall* ZebConvertFile)(const char*, const char*, intptr_t, intptr_t, int32_t, int32_t) = nullptr;
  int32_t(__stdcall* ZebBlankPage)(const void*, const int16_t*) = nullptr;

  bool Load(const std::string& path);
  void Unload();
};

class PluginCase : public ::testing::Test, protected CaseFolder {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies fixture plug-ins ("FileATif", ...) into the case folder, or into `folder`.
  void ProvidePlugins(const std::vector<std::string>& names, const std::string& folder = "");
  // Copies a file of bin/ ("FileTiff.dll") into the case folder; false when it is not built.
  bool ProvideFromBin(const char* name);
  // Copies pavlot.dll and zebdrv.dll, loads pavlot.dll and starts it.
  void Start();

  int32_t Set16(uint16_t tag, int16_t value);
  std::vector<int32_t> Choices16(uint16_t tag);

  std::string TakeLog();  // what the fixture plug-ins logged since the last call
  static int32_t LiveBlocks(const char* plugin);  // list blocks a fixture handed out, not given back

  PavlotFiles pavlot;
};
