// The host's answers to the tag model's questions about the plug-ins (plugin_formats.h).
#pragma once

void InstallPluginFormats();
void RemovePluginFormats();
