#include "transfer_math.h"

#include <algorithm>
#include <cstdio>

int32_t Fix32ToInt(int16_t whole, uint16_t frac) {
  double v = double(whole) + double(frac) / 65536.0;
  return static_cast<int32_t>(v);
}

uint32_t WholeRowsAtLeast(uint32_t bytes, uint32_t rowBytes) {
  if (rowBytes == 0) return bytes;
  const uint64_t rows = (uint64_t(bytes) + rowBytes - 1) / rowBytes;
  const uint64_t total = rows * rowBytes;
  return total > 0xFFFFFFFFull ? bytes : static_cast<uint32_t>(total);
}

uint32_t MemoryLength(uint32_t wanted, uint32_t preferred, uint32_t maxBufSize) {
  return std::max(std::min(preferred, wanted), std::min(maxBufSize, wanted));
}

std::string PageFileSuffix(uint32_t n, bool duplex, bool feeder) {
  char text[32];
  if (duplex) {
    std::snprintf(text, sizeof text, "%06u%s", (n + 1) / 2, (n % 2) ? "A.bmp" : "B.bmp");
    return text;
  }
  if (feeder) {
    std::snprintf(text, sizeof text, "%06u%s", n, ".bmp");
    return text;
  }
  return ".bmp";
}

std::string PageFileBase(const std::string& pathTemplate) {
  size_t dot = pathTemplate.rfind('.');
  return dot == std::string::npos ? pathTemplate : pathTemplate.substr(0, dot);
}

uint64_t ImageBytes(int32_t width, int32_t bitsPerPixel, int32_t length) {
  if (width <= 0 || bitsPerPixel <= 0 || length <= 0) return 0;
  uint64_t row = (uint64_t(width) * uint64_t(bitsPerPixel) + 7) / 8;
  return row * uint64_t(length);
}

uint32_t BatchBufferSize(uint64_t availablePhysical) {
  uint32_t s = 32u * 1024 * 1024;
  while (availablePhysical <= s) {
    if (s < 1024 * 1024) return 1024 * 1024;
    s /= 2;
  }
  return s;
}

uint32_t RingSlots(uint32_t bufferSize, uint64_t imageBytes) {
  if (imageBytes == 0) return 2;
  uint64_t slots = bufferSize / imageBytes;
  return static_cast<uint32_t>(std::clamp<uint64_t>(slots, 2, 10));
}
