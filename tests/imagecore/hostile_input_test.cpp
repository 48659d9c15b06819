// Cut and damaged files of every format give an error, never a crash or a read past the data
// (the sanitizer build checks the second).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "codecs.h"
#include "test_images.h"
#include "tiff_codec.h"

namespace imagecore {
namespace {

using Reader = std::function<Status(const Stream&, Image&)>;

struct Format {
  const char* name;
  std::function<Status(const Image&, const Stream&)> write;
  Reader read;
};

std::vector<Format> Formats() {
  return {
      {"bmp", WriteBmp, ReadBmp},
      {"pcx", WritePcx, ReadPcx},
      {"tga", WriteTga, ReadTga},
      {"gif", WriteGif, ReadGif},
      {"png", [](const Image& i, const Stream& s) { return WritePng(i, false, s); }, ReadPng},
      {"jpeg", [](const Image& i, const Stream& s) { return WriteJpeg(i, 80, 0, s); }, ReadJpeg},
      {"tiff", [](const Image& i, const Stream& s) { return WriteTiff(i, kTiffLzw, s); },
       [](const Stream& s, Image& i) { return ReadTiffPage(s, 0, i); }},
      {"tiff-g4", [](const Image& i, const Stream& s) { return WriteTiff(i, kTiffG4, s); },
       [](const Stream& s, Image& i) { return ReadTiffPage(s, 0, i); }},
  };
}

Status ReadBytes(const Reader& read, const std::vector<uint8_t>& bytes, size_t n) {
  ReadOnlyMemory m(bytes.data(), n);
  Image im;
  return read(m.AsStream(), im);
}

TEST(HostileInput, CutFilesFail) {
  for (const Format& f : Formats()) {
    Image im = test::Pattern(8, 40, 30);
    std::vector<uint8_t> bytes;
    MemoryStream out(bytes);
    ASSERT_EQ(f.write(im, out.AsStream()), kOk) << f.name;
    for (size_t n : {size_t(0), size_t(1), size_t(10), bytes.size() / 3, bytes.size() / 2,
                     bytes.size() - 800})
      if (n < bytes.size()) EXPECT_NE(ReadBytes(f.read, bytes, n), kOk) << f.name << " cut at " << n;
    for (size_t n = 0; n < bytes.size(); n += 7) ReadBytes(f.read, bytes, n);  // no crash
  }
}

TEST(HostileInput, FlippedBytesNeverCrash) {
  std::mt19937 random(1234);
  for (const Format& f : Formats()) {
    Image im = test::Pattern(8, 23, 17);
    std::vector<uint8_t> bytes;
    MemoryStream out(bytes);
    ASSERT_EQ(f.write(im, out.AsStream()), kOk) << f.name;
    for (int round = 0; round < 200; ++round) {
      std::vector<uint8_t> damaged = bytes;
      for (int k = 0; k < 4; ++k) damaged[random() % damaged.size()] = uint8_t(random());
      ReadBytes(f.read, damaged, damaged.size());
    }
  }
}

TEST(HostileInput, HugeDeclaredSizesAreRefused) {
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 2; tga[12] = 0xFF; tga[13] = 0xFF; tga[14] = 0xFF; tga[15] = 0xFF; tga[16] = 24;
  EXPECT_NE(ReadBytes(ReadTga, tga, tga.size()), kOk);
  std::vector<uint8_t> pcx(128, 0);
  pcx[0] = 10; pcx[1] = 5; pcx[2] = 1; pcx[3] = 8; pcx[8] = 0xFF; pcx[9] = 0xFF; pcx[10] = 0xFF;
  pcx[11] = 0xFF; pcx[65] = 3; pcx[66] = 0xFF; pcx[67] = 0xFF;
  EXPECT_NE(ReadBytes(ReadPcx, pcx, pcx.size()), kOk);
}

TEST(HostileInput, ProbeNamesNoFormatForNoise) {
  std::vector<uint8_t> noise(64, 0x55);
  ReadOnlyMemory m(noise.data(), noise.size());
  FileInfo info;
  EXPECT_EQ(ProbeFile(m.AsStream(), info), kNotThisFormat);
}

}  // namespace
}  // namespace imagecore
