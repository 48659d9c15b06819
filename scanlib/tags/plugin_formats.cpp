#include "plugin_formats.h"

namespace {

int32_t NoPlugins() { return 0; }
int32_t NoFormats(int32_t, int32_t, int32_t*, int32_t) { return 0; }
int32_t NoModes(int32_t*, int32_t) { return 0; }
void NoCurrent(int32_t) {}

const PluginFormats kNone = {NoPlugins, NoFormats, NoModes, NoCurrent};
const PluginFormats* g_formats = &kNone;

}  // namespace

const PluginFormats& CurrentPluginFormats() { return *g_formats; }
void SetPluginFormats(const PluginFormats* formats) { g_formats = formats ? formats : &kNone; }
