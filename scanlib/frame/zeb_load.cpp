// ZebLoad: starting the library for a caller and starting its driver.
#include <cstring>
#include <string>

#include "auxiliary_libraries.h"
#include "../acquire/deskew_crop_step.h"
#include "debug_log.h"
#include "interface_font.h"
#include "library_state.h"
#include "pavlot.h"
#include "../plugins/plugin_host.h"
#include "settings_store.h"
#include "source_settings.h"
#include "tag_persistence.h"

namespace {

std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  UINT n = GetWindowsDirectoryA(folder, sizeof(folder));
  return n > 0 && n < sizeof(folder) ? folder : "";
}

std::string CurrentFolder() {
  char folder[MAX_PATH] = {};
  DWORD n = GetCurrentDirectoryA(sizeof(folder), folder);
  return n > 0 && n < sizeof(folder) ? folder : "";
}

void PrepareSettingsFile() {
  char path[65] = {};
  ReadSetting(kGeneralKey, "TargetPath", path, kSettingString, 64);
  if (path[0] == '\0') {
    lstrcpynA(path, (WindowsFolder() + "\\ondrel.ini").c_str(), sizeof(path));
    WriteSettingString(kGeneralKey, "TargetPath", path);
  }
  LogDetailText("ondrel.ini", "   ", path);
}

void StoreLocalisationPath() {
  char path[kLocalisationPathSize] = {};
  lstrcpynA(path, (CurrentFolder() + "\\pavlot.loc").c_str(), sizeof(path));
  WriteSettingString(kGeneralKey, "LOCALIZE", path);
}

void StoreTemporaryFolder() {
  char folder[MAX_PATH] = {};
  DWORD n = GetTempPathA(sizeof(folder), folder);
  if (n == 0 || n >= sizeof(folder)) folder[0] = '\0';
  WriteSettingString(kGeneralKey, "DjvuOCR", folder);
}

}  // namespace

extern "C" int32_t __stdcall ZebLoad(HWND owner) {
  LogIn("ZebLoad");
  if (gLib.state == kStateStarted || gLib.state == kStateRegistered) {
    // Started before without a driver: try the driver again.
    gLib.driverKind = LoadDriverKind();
    InitDrv(gLib.driverKind);
    LogOut("ZebLoad", gLib.lastStatus);
    return gLib.lastStatus;
  }
  if (gLib.state >= kStateDriverStarted) {
    LogOut("ZebLoad", kZebWrongState);
    return kZebWrongState;
  }
  gLib.ownerWindow = owner;
  // The first registry write of a start: it decides the INI fallback and loads the log level.
  WriteSettingString(kGeneralKey, "TargetTest", "__Source__");
  PrepareSettingsFile();
  StoreLocalisationPath();
  CreateInterfaceFont();
  StoreTemporaryFolder();
  DiscoverFilePlugins();
  LoadAuxiliaryLibraries();
  InstallCropDeskewStep();
  gLib.driverKind = LoadDriverKind();
  gLib.state = kStateStarted;
  InitDrv(gLib.driverKind);
  LogOut("ZebLoad", gLib.lastStatus);
  return gLib.lastStatus;
}
