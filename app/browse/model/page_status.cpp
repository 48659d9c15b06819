#include "page_status.h"

namespace tarnwick {

std::string PageStatusText(const std::string& type, int width, int height, int bits,
                           const std::string& colour) {
  return "File Type:" + type + " Width:" + std::to_string(width) + " Height:" +
         std::to_string(height) + " Bit Depth:" + std::to_string(bits) +
         " Color Representation:" + colour;
}

}  // namespace tarnwick
