#include "plugin_list.h"

#include <vector>

namespace {

std::vector<PluginEntry> g_plugins;
int32_t g_current = kNoPlugin;
int32_t g_reading = kNoPlugin;

bool InList(int32_t index) { return index >= 0 && index < static_cast<int32_t>(g_plugins.size()); }

}  // namespace

int32_t PluginCount() { return static_cast<int32_t>(g_plugins.size()); }

PluginEntry* PluginAt(int32_t index) { return InList(index) ? &g_plugins[static_cast<size_t>(index)] : nullptr; }

void AppendPlugin(const PluginEntry& entry) { g_plugins.push_back(entry); }

void UnloadPlugins() {
  for (PluginEntry& entry : g_plugins)
    if (entry.module) FreeLibrary(entry.module);
  g_plugins.clear();
  g_current = kNoPlugin;
  g_reading = kNoPlugin;
}

int32_t CurrentPluginIndex() { return g_current; }
PluginEntry* CurrentPlugin() { return PluginAt(g_current); }
void MakePluginCurrent(int32_t index) { g_current = InList(index) ? index : kNoPlugin; }

PluginEntry* ReadingPlugin() { return InList(g_reading) ? PluginAt(g_reading) : CurrentPlugin(); }
void SetReadingPlugin(int32_t index) { g_reading = InList(index) ? index : kNoPlugin; }

std::string ExtensionTextOf(const PluginEntry& entry) {
  char text[kFileExtTextSize] = {};
  if (entry.GetFileExtStr) entry.GetFileExtStr(text);
  text[kFileExtTextSize - 1] = '\0';
  return text;
}
