// The plug-ins' lists of 16-bit codes (file formats, compression modes), read into vectors; the
// global block each list comes in is given back at once.
#pragma once
#include <cstdint>
#include <vector>

#include "plugin_list.h"

std::vector<int32_t> FileFormatsOf(const PluginEntry& entry);       // GetFileExts, main first
std::vector<int32_t> CompressionModesOf(const PluginEntry& entry);  // GetCompMode

// Gives back a list block a plug-in handed over: unlocked until its lock count is 0, then freed.
void FreeCodeBlock(uint16_t* list);
