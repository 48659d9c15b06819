#include "isis_setup_file.h"

#include <windows.h>

#include "library_state.h"
#include "settings_store.h"
#include "source_settings.h"

std::string IsisSetupFilePath() {
  char folder[MAX_PATH] = {};
  UINT n = GetWindowsDirectoryA(folder, sizeof(folder));
  if (n == 0 || n >= sizeof(folder)) return kIsisSetupFile;
  return std::string(folder) + "\\" + kIsisSetupFile;
}

void WriteIsisSetupFile() {
  std::string file = IsisSetupFilePath();
  char maker[kManufacturerSize + 1] = {};
  ReadSetting(kGeneralKey, kManufacturerValue, maker, kSettingString, kManufacturerSize);
  WritePrivateProfileStringA("Scanner", "Driver", maker, file.c_str());
  char model[kSourceNameSize] = {};
  LoadStoredSourceName(model);
  char section[sizeof(gLib.sourceIdentity.Manufacturer)] = {};
  lstrcpynA(section, gLib.sourceIdentity.Manufacturer, sizeof(section));
  if (section[0] == '\0') lstrcpynA(section, maker, sizeof(section));
  if (section[0] != '\0') WritePrivateProfileStringA(section, "Model", model, file.c_str());
}
