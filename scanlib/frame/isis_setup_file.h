// "setscan.ini" in the Windows folder, which ISIS drivers read to find their scanner.
#pragma once
#include <string>

constexpr const char* kIsisSetupFile = "setscan.ini";

std::string IsisSetupFilePath();

// Writes the driver name (key "Driver" of section "Scanner") and the model (key "Model" of the
// manufacturer's section). The section is the current source's Manufacturer, or the stored maker's
// name when that is empty; with neither, no model is written.
void WriteIsisSetupFile();
