#include "driver_window_settings.h"

namespace tarnwick {

DriverWindowSettings ReadDriverWindowSettings(IniSource* file, int passDpi) {
  if (!file) return {passDpi, 0};
  return {file->ReadInt(kDriverSettingsSection, "XRes", 200),
          file->ReadInt(kDriverSettingsSection, "Image Type", 1)};
}

}  // namespace tarnwick
