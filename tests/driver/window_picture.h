// Writes top-down 24-bit BGR rows (each padded to 4 bytes) as a BMP file or, when the name ends
// in ".png", a PNG file.
#pragma once
#include <cstdint>
#include <string>

namespace windriver {

bool WritePicture(const std::string& fileName, int width, int height, const uint8_t* bgrRows);

}  // namespace windriver
