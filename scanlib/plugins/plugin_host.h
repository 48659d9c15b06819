// The file-format plug-in host as the rest of the library sees it: discovery at start-up,
// release at the full release, and the plug-in choice of file transfer.
#pragma once
#include <cstdint>
#include <string>

// Loads every "File*.dll" in the library's own folder that has the six required entry points,
// makes the first current and hands the tag model the plug-ins' formats. Plug-ins loaded
// before are released first.
void DiscoverFilePlugins();

// Closes the image being read, unloads every plug-in and empties the list.
void ReleaseFilePlugins();

// The folder plug-ins are searched in: pavlot.dll's own, ending in a backslash.
std::string PluginFolder();

// File transfer: makes the plug-in whose extension text matches the extension of `name`
// (ignoring case) current, the current one first, then the list from its head. Answers false,
// with no plug-in current, when none matches. *formatCount gets the count of the matched
// plug-in's GetFileExts when the walk changed the current plug-in, else -1.
bool ChoosePluginForPageFile(const char* name, int32_t* formatCount);
