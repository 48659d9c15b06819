// Fixed-width page numbers for page file names ("000042"). Platform-free.
#pragma once
#include <string>

namespace tarnwick {

// text with "0" put in front until it is width characters long; a text as long or longer comes
// back as it is.
std::string ZeroPad(const std::string& text, int width);

constexpr int kPageNumberWidth = 6;

}  // namespace tarnwick
