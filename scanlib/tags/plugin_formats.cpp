#include "plugin_formats.h"

namespace {

int32_t NoPlugins() { return 0; }
int32_t NoFormats(int32_t, int32_t, int32_t*, int32_t) { return 0; }
int32_t NoModes(int32_t*, int32_t) { return 0; }
void NoCurrent(int32_t) {}
int32_t NoCurrentIndex() { return -1; }

const PluginFormats kNone = {NoPlugins, NoFormats, NoModes, NoCurrent, NoCurrentIndex};
const PluginFormats* g_formats = &kNone;

}  // namespace

const PluginFormats& CurrentPluginFormats() { return *g_formats; }
void SetPluginFormats(const PluginFormats* formats) { g_formats = formats ? formats : &kNone; }
bool HaveCurrentPlugin() { return g_formats->currentIndex && g_formats->currentIndex() >= 0; }
int32_t MultiPagePlugin() { return HaveCurrentPlugin() ? g_formats->currentIndex() : 0; }
