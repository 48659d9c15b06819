// The status bar's text for the page shown: its file type, size, depth and colour
// representation, as the file-information routine reports them.
#pragma once
#include <string>

namespace tarnwick {

std::string PageStatusText(const std::string& type, int width, int height, int bits,
                           const std::string& colour);

}  // namespace tarnwick
