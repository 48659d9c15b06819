// What the tag model asks of the file-format plug-in host. The host installs its answers with
// SetPluginFormats; until then no plug-in is loaded.
#pragma once
#include <cstdint>

struct PluginFormats {
  int32_t (*count)();  // loaded plug-ins
  // The formats of plug-in `index`: writes up to `max` format numbers, answers how many it has.
  int32_t (*formats)(int32_t index, int32_t firstFree, int32_t* list, int32_t max);
  // The compression modes of the current plug-in: up to `max`, answers how many.
  int32_t (*compressionModes)(int32_t* list, int32_t max);
  void (*makeCurrent)(int32_t index);
  int32_t (*currentIndex)();  // the current plug-in, or -1 when none is current; may be null
};

const PluginFormats& CurrentPluginFormats();
void SetPluginFormats(const PluginFormats* formats);  // nullptr: no plug-ins
// True when a file-format plug-in is current (file transfer can name a plug-in).
bool HaveCurrentPlugin();
// The plug-in whose file kinds give MULTIPAGE's choices: the current one, else the first.
int32_t MultiPagePlugin();
