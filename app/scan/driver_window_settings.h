// The scanner driver's own settings window keeps its last choices in an INI file that the
// driver names in the registry: HKEY_LOCAL_MACHINE "Software\Quandrix\TWAIN", string value
// "GUISETTING". When the driver window is used, each page's resolution and image type are read
// from section "1" of that file.
#pragma once
#include <string>

namespace tarnwick {

inline constexpr const char* kDriverSettingsKey = "Software\\Quandrix\\TWAIN";
inline constexpr const char* kDriverSettingsValue = "GUISETTING";
inline constexpr const char* kDriverSettingsSection = "1";

// An INI file as the read needs it.
class IniSource {
 public:
  virtual ~IniSource() = default;
  virtual int ReadInt(const std::string& section, const std::string& key, int fallback) = 0;
};

struct DriverWindowSettings {
  int Dpi;
  int ImageType;  // 0 when the file could not be read
};

// file: the INI file the registry named, or nullptr when there is none. Without a file the
// resolution stays the pass's and the image type is 0.
DriverWindowSettings ReadDriverWindowSettings(IniSource* file, int passDpi);

}  // namespace tarnwick
