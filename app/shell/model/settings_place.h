// Where the settings file lives, and the other paths the program derives from its own.
#pragma once
#include <string>

#include "edition.h"

namespace tarnwick {

constexpr int kPlatformWin32Nt = 2;  // the platform identifier of the NT family

// The program's path with its extension replaced (or added) as the platform's INI files name it.
std::string ChangeFileExt(const std::string& path, const std::string& extension);
// The INI named after the program ("...\Tarnwick.INI"): presets always, settings off NT.
std::string ProgramIniPath(const std::string& programPath);
// First edition on the NT family: documents folder + "\TarnwickForm.ini"; other platforms,
// and the second edition on every platform: the program-named INI.
std::string SettingsFilePath(int platformId, const std::string& documentsFolder,
                             const std::string& programPath, Edition edition = kBuiltEdition);
// Whether the settings file's owner is checked at start: off the NT family, and always in the
// second edition, whose settings file is beside the program for every user.
bool ChecksSettingsOwner(int platformId, Edition edition = kBuiltEdition);
// The folder part of a path with its trailing "\" ("" when the path has none).
std::string ExtractFilePath(const std::string& path);
// Off the NT family a settings file last written by another user is removed before use.
bool SettingsBelongToOtherUser(bool fileExists, const std::string& storedUser,
                               const std::string& currentUser);

}  // namespace tarnwick
