// Kodak Photo CD image packs: the three smallest resolutions are stored uncompressed as PhotoYCC
// with chroma halved both ways, at fixed sector offsets.
#include <algorithm>
#include <cstring>

#include "codecs.h"

namespace imagecore {

struct PcdLevel {
  size_t offset;
  uint32_t width, height;
};
constexpr PcdLevel kPcdLevels[] = {{0x2000, 192, 128}, {0xB800, 384, 256}, {0x30000, 768, 512}};
constexpr char kPcdSignature[] = "PCD_IPI";
constexpr size_t kPcdSignatureAt = 0x800;

static uint8_t Clamp(double v) { return uint8_t(std::clamp(v, 0.0, 255.0)); }

Status ReadPcd(const Stream& in, int step, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.size() < kPcdSignatureAt + 7 || std::memcmp(&f[kPcdSignatureAt], kPcdSignature, 7) != 0)
    return kNotThisFormat;
  const PcdLevel& level = kPcdLevels[std::clamp(step, 1, 3) - 1];
  size_t bytes = size_t(level.width) * level.height * 3 / 2;
  if (level.offset + bytes > f.size()) return kTruncated;
  if (!Allocate(image, level.width, level.height, 24)) return kNoMemory;
  const uint8_t* p = &f[level.offset];
  size_t w = level.width;
  // Each pair of rows: two luma rows, then one row each of the two chroma planes at half width.
  for (uint32_t y = 0; y < level.height; y += 2, p += w * 3) {
    const uint8_t* c1 = p + 2 * w;
    const uint8_t* c2 = c1 + w / 2;
    for (uint32_t k = 0; k < 2; ++k) {
      uint8_t* row = image.Row(y + k);
      for (uint32_t x = 0; x < w; ++x) {
        double l = 1.3584 * p[k * w + x];
        double a = 2.2179 * (c1[x / 2] - 156.0), b = 1.8215 * (c2[x / 2] - 137.0);
        row[3 * x + 2] = Clamp(l + b);
        row[3 * x + 1] = Clamp(l - 0.194 * a - 0.509 * b);
        row[3 * x] = Clamp(l + a);
      }
    }
  }
  image.xPelsPerMeter = image.yPelsPerMeter = 2835;
  return kOk;
}

}  // namespace imagecore
