// Text recognition through the DjVu plug-in. The plug-in loads its recognition engine itself
// and the plug-in host unloads the plug-in, so the library keeps no module of its own here.
#pragma once
#include <cstdint>

// Logs the release; nothing to unload.
void ZebFreeOCR();
