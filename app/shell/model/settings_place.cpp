#include "settings_place.h"

namespace tarnwick {

namespace {
size_t NameStart(const std::string& path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? 0 : cut + 1;
}
}  // namespace

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < NameStart(path)) return path + extension;
  return path.substr(0, dot) + extension;
}

std::string ProgramIniPath(const std::string& programPath) {
  return ChangeFileExt(programPath, ".INI");
}

std::string SettingsFilePath(int platformId, const std::string& documentsFolder,
                             const std::string& programPath, Edition edition) {
  if (edition == Edition::kFirst && platformId == kPlatformWin32Nt)
    return documentsFolder + "\\TarnwickForm.ini";
  return ProgramIniPath(programPath);
}

bool ChecksSettingsOwner(int platformId, Edition edition) {
  return edition == Edition::kSecond || platformId != kPlatformWin32Nt;
}

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

bool SettingsBelongToOtherUser(bool fileExists, const std::string& storedUser,
                               const std::string& currentUser) {
  return fileExists && storedUser != currentUser;
}

}  // namespace tarnwick
