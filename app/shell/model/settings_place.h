// Where the settings file lives, and the other paths the program derives from its own.
#pragma once
#include <string>

namespace tarnwick {

constexpr int kPlatformWin32Nt = 2;  // the platform identifier of the NT family

// The program's path with its extension replaced (or added) as the platform's INI files name it.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
// The INI named after the program ("...\Tarnwick.INI"): presets always, settings off NT.
std::string ProgramIniPath(const std::string& programPath);
// NT family: documents folder + "\TarnwickForm.ini"; other platforms: the program-named INI.
std::string SettingsFilePath(int platformId, const std::string& documentsFolder,
                             const std::string& programPath);
// The folder part of a path with its trailing "\" ("" when the path has none).
std::string ExtractFilePath(const std::string& path);
// Off the NT family a settings file last written by another user is removed before use.
bool SettingsBelongToOtherUser(bool fileExists, const std::string& storedUser,
                               const std::string& currentUser);

}  // namespace tarnwick
