// Every format written and read back at every depth it holds gives the same pixels.
#include <gtest/gtest.h>

#include <functional>

#include "codecs.h"
#include "test_images.h"
#include "tiff_codec.h"

namespace imagecore {
namespace {

using test::Kind;
using test::Pattern;

using Writer = std::function<Status(const Image&, const Stream&)>;
using Reader = std::function<Status(const Stream&, Image&)>;

struct Codec {
  const char* name;
  Writer write;
  Reader read;
};

Codec CodecFor(const std::string& name) {
  auto tiff = [](uint16_t c) {
    return Codec{"tiff", [c](const Image& i, const Stream& s) { return WriteTiff(i, c, s); },
                 [](const Stream& s, Image& i) { return ReadTiffPage(s, 0, i); }};
  };
  if (name == "bmp") return {"bmp", WriteBmp, ReadBmp};
  if (name == "pcx") return {"pcx", WritePcx, ReadPcx};
  if (name == "tga") return {"tga", WriteTga, ReadTga};
  if (name == "gif") return {"gif", WriteGif, ReadGif};
  if (name == "png") return {"png", [](const Image& i, const Stream& s) { return WritePng(i, false, s); }, ReadPng};
  if (name == "png-interlaced") return {"png", [](const Image& i, const Stream& s) { return WritePng(i, true, s); }, ReadPng};
  if (name == "jpeg") return {"jpeg", [](const Image& i, const Stream& s) { return WriteJpeg(i, 95, 0, s); }, ReadJpeg};
  if (name == "tiff-none") return tiff(kTiffNone);
  if (name == "tiff-lzw") return tiff(kTiffLzw);
  if (name == "tiff-packbits") return tiff(kTiffPackBits);
  if (name == "tiff-rle") return tiff(kTiffCcittRle);
  if (name == "tiff-g3") return tiff(kTiffG3);
  if (name == "tiff-g4") return tiff(kTiffG4);
  if (name == "tiff-jpeg") return tiff(kTiffJpeg);
  ADD_FAILURE() << name;
  return {};
}

struct Case {
  const char* codec;
  uint16_t bits;
  Kind kind;
  int tolerance;  // lossy codecs only
};

class RoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RoundTrip, ReadsBackThePixelsWritten) {
  const Case& c = GetParam();
  Codec codec = CodecFor(c.codec);
  // Smooth content for the lossy codecs, a busy pattern for the others.
  Image original = Pattern(c.bits, 67, 41, c.kind);
  if (c.tolerance) {
    for (uint32_t y = 0; y < original.height; ++y)
      for (uint32_t x = 0; x < original.width; ++x) {
        uint8_t* row = original.Row(y);
        if (c.bits == 24) { row[3 * x] = uint8_t(x * 3); row[3 * x + 1] = uint8_t(y * 5); row[3 * x + 2] = 128; }
        else row[x] = uint8_t(x * 2 + y);
      }
  }
  if (c.bits == 1 && c.kind == Kind::kGray) original.palette = {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)};
  std::vector<uint8_t> bytes;
  MemoryStream out(bytes);
  ASSERT_EQ(codec.write(original, out.AsStream()), kOk);
  ReadOnlyMemory in(bytes.data(), bytes.size());
  Image back;
  ASSERT_EQ(codec.read(in.AsStream(), back), kOk);
  EXPECT_EQ(back.width, original.width);
  EXPECT_EQ(back.height, original.height);
  EXPECT_EQ(test::DifferentPixels(original, back, c.tolerance), 0u);
  FileInfo info;
  ReadOnlyMemory probe(bytes.data(), bytes.size());
  ASSERT_EQ(ProbeFile(probe.AsStream(), info), kOk);
  EXPECT_EQ(info.width, original.width);
  EXPECT_FALSE(info.name.empty());
}

const Case kCases[] = {
    {"bmp", 1, Kind::kPalette, 0}, {"bmp", 4, Kind::kPalette, 0}, {"bmp", 8, Kind::kPalette, 0},
    {"bmp", 8, Kind::kGray, 0}, {"bmp", 24, Kind::kPalette, 0},
    {"pcx", 1, Kind::kPalette, 0}, {"pcx", 4, Kind::kPalette, 0}, {"pcx", 8, Kind::kPalette, 0},
    {"pcx", 8, Kind::kGray, 0}, {"pcx", 24, Kind::kPalette, 0},
    {"tga", 8, Kind::kPalette, 0}, {"tga", 8, Kind::kGray, 0}, {"tga", 24, Kind::kPalette, 0},
    {"gif", 1, Kind::kPalette, 0}, {"gif", 4, Kind::kPalette, 0}, {"gif", 8, Kind::kPalette, 0},
    {"gif", 8, Kind::kGray, 0},
    {"png", 1, Kind::kPalette, 0}, {"png", 4, Kind::kPalette, 0}, {"png", 8, Kind::kPalette, 0},
    {"png", 1, Kind::kGray, 0}, {"png", 4, Kind::kGray, 0}, {"png", 8, Kind::kGray, 0},
    {"png", 24, Kind::kPalette, 0}, {"png-interlaced", 8, Kind::kPalette, 0},
    {"png-interlaced", 24, Kind::kPalette, 0},
    {"tiff-none", 1, Kind::kPalette, 0}, {"tiff-none", 1, Kind::kGray, 0},
    {"tiff-none", 4, Kind::kPalette, 0}, {"tiff-none", 4, Kind::kGray, 0},
    {"tiff-none", 8, Kind::kPalette, 0}, {"tiff-none", 8, Kind::kGray, 0},
    {"tiff-none", 24, Kind::kPalette, 0},
    {"tiff-lzw", 1, Kind::kGray, 0}, {"tiff-lzw", 4, Kind::kPalette, 0},
    {"tiff-lzw", 8, Kind::kPalette, 0}, {"tiff-lzw", 8, Kind::kGray, 0}, {"tiff-lzw", 24, Kind::kPalette, 0},
    {"tiff-packbits", 1, Kind::kGray, 0}, {"tiff-packbits", 4, Kind::kGray, 0},
    {"tiff-packbits", 8, Kind::kPalette, 0}, {"tiff-packbits", 24, Kind::kPalette, 0},
    {"tiff-rle", 1, Kind::kGray, 0}, {"tiff-g3", 1, Kind::kGray, 0}, {"tiff-g4", 1, Kind::kGray, 0},
    {"tiff-jpeg", 8, Kind::kGray, 12}, {"tiff-jpeg", 24, Kind::kPalette, 24},
    {"jpeg", 8, Kind::kGray, 12}, {"jpeg", 24, Kind::kPalette, 24},
};

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string n = std::string(info.param.codec) + "_" + std::to_string(info.param.bits) +
                  (info.param.kind == Kind::kGray ? "_gray" : "_palette");
  for (char& ch : n) if (ch == '-') ch = '_';
  return n;
});

}  // namespace
}  // namespace imagecore
