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
  // A TIFF of 9 x 23813 pixels claiming 11265 samples each: refused before the library sets
  // out to allocate one strip of 2.4 GB.
  const std::vector<uint8_t> tiff = {
      0x49, 0x49, 0x2a, 0x00, 0x36, 0x00, 0x00, 0x00, 0x00, 0x25, 0x4a, 0x6f, 0x94, 0xb9, 0xde, 0x03,
      0x28, 0xbc, 0xe1, 0x06, 0x2b, 0x50, 0x75, 0x9a, 0xbf, 0xe4, 0x78, 0x9d, 0xc2, 0xe7, 0x0c, 0x31,
      0x56, 0x7b, 0xa0, 0x34, 0x59, 0x7e, 0xa3, 0xc8, 0xed, 0x12, 0x37, 0x5c, 0xf0, 0x15, 0x3a, 0x5f,
      0x84, 0xa9, 0xce, 0xf3, 0x18, 0x00, 0x08, 0x00, 0x00, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00,
      0x09, 0x00, 0x00, 0x00, 0x01, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x5d, 0x00, 0x00,
      0x02, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x03, 0x01, 0x03, 0x00,
      0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x06, 0x01, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
      0x01, 0x00, 0x00, 0x00, 0x11, 0x01, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00,
      0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x15, 0x01, 0x03, 0x00,
      0x01, 0x00, 0x00, 0x00, 0x01, 0x2c, 0x00, 0x00, 0x16, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00,
      0x8e, 0x03, 0x00, 0x00, 0x17, 0x01, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x2d, 0x00, 0x00, 0x00,
      0xda, 0x01, 0x09, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  };
  EXPECT_EQ(ReadBytes([](const Stream& s, Image& i) { return ReadTiffPage(s, 0, i); }, tiff,
                      tiff.size()),
            kUnsupported);
}

// A GIF whose image descriptor claims far more pixels than its few hundred bytes of LZW data can
// code is refused before the image is allocated or decoded.
TEST(HostileInput, GifClaimingMorePixelsThanItsDataHoldsIsRefused) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0x00, 0xBB, 0x00, 0x0D, 0xF0, 0, 0};
  for (int i = 0; i < 6; ++i) gif.push_back(uint8_t(i * 40));  // two colours
  const uint8_t descriptor[] = {',', 0, 0, 0, 0, 0x00, 0xBB, 0x00, 0x0D, 0, 8};
  gif.insert(gif.end(), descriptor, descriptor + sizeof descriptor);
  while (gif.size() < 800) {  // sub-blocks of codes that keep clearing the table
    gif.push_back(255);
    for (int i = 0; i < 255; ++i) gif.push_back(uint8_t(0x80 + i % 3));
  }
  gif.push_back(0);
  gif.push_back(';');
  EXPECT_EQ(ReadBytes(ReadGif, gif, gif.size()), kTruncated);
}

// A file with no colour table whose LZW code size is 0, found by the fuzzer: it must be answered,
// not divide by zero while making up its default palette.
TEST(HostileInput, GifWithoutTableAndCodeSizeZeroIsAnswered) {
  const std::vector<uint8_t> gif = {
      0x47, 0x49, 0x46, 0x38, 0x37, 0x61, 0x09, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
      0x00, 0x00, 0x09, 0x00, 0x05, 0x00, 0x00, 0x00, 0x46, 0x47, 0x49, 0x46, 0x00, 0x00, 0x04, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x37, 0x61, 0x09, 0x00, 0x05, 0x00, 0xf7, 0x00, 0x00, 0x00,
      0x00, 0x00, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x46, 0x47, 0x49, 0x46, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x47, 0x00,
  };
  const Status status = ReadBytes(ReadGif, gif, gif.size());
  (void)status;  // any answer will do; the sanitizers watch the work
  SUCCEED();
}

// Kinds a reader knows but does not decode are named so, not taken for damage.
TEST(HostileInput, TwelveBitJpegIsNotSupportedRatherThanDamaged) {
  Image im = test::Pattern(8, 16, 16, test::Kind::kGray);
  std::vector<uint8_t> jpeg;
  MemoryStream out(jpeg);
  ASSERT_EQ(WriteJpeg(im, 80, 0, out.AsStream()), kOk);
  for (size_t i = 2; i + 4 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 4] = 12;  // the frame's sample precision
      break;
    }
  EXPECT_EQ(ReadBytes(ReadJpeg, jpeg, jpeg.size()), kUnsupported);
}

TEST(HostileInput, ProbeNamesNoFormatForNoise) {
  std::vector<uint8_t> noise(64, 0x55);
  ReadOnlyMemory m(noise.data(), noise.size());
  FileInfo info;
  EXPECT_EQ(ProbeFile(m.AsStream(), info), kNotThisFormat);
}

}  // namespace
}  // namespace imagecore
