// Windows bitmap files: a 14-byte file header in front of a packed DIB.
#include <cstring>

#include "bytes.h"
#include "codecs.h"
#include "dib_layout.h"

namespace imagecore {

constexpr size_t kFileHeader = 14;

Status ReadBmp(const Stream& in, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.size() < 2 || f[0] != 'B' || f[1] != 'M') return kNotThisFormat;
  if (f.size() < kFileHeader + kInfoHeaderSize) return kTruncated;
  uint32_t offBits = Le32(&f[10]);
  if (offBits < kFileHeader) offBits = 0;  // some writers leave it 0: rows follow the table
  s = DibToImage(f.data() + kFileHeader, f.size() - kFileHeader, image,
                 offBits ? offBits - kFileHeader : 0);
  return s == kBadDib ? kTruncated : s;
}

Status WriteBmp(const Image& image, const Stream& out) {
  if (image.Empty()) return kBadArgument;
  size_t dib = DibBlockSize(image);
  std::vector<uint8_t> f(kFileHeader + dib);
  f[0] = 'B';
  f[1] = 'M';
  PutLe32(&f[2], uint32_t(f.size()));
  WriteDib(image, &f[kFileHeader]);
  PutLe32(&f[10], uint32_t(f.size() - image.Stride() * image.height));
  return WriteAll(out, f.data(), f.size());
}

}  // namespace imagecore
