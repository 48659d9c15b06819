#include "zero_pad.h"

namespace tarnwick {

std::string ZeroPad(const std::string& text, int width) {
  if (width <= 0 || text.size() >= size_t(width)) return text;
  return std::string(size_t(width) - text.size(), '0') + text;
}

}  // namespace tarnwick
