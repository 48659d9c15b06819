// GIF through giflib: the first image of the file, placed on its logical screen.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "codecs.h"

namespace imagecore {

namespace {

// The whole file in memory: what is left of it bounds the pixels its image data can hold.
struct GifInput {
  const std::vector<uint8_t>* bytes;
  size_t at = 0;
  uint8_t last = 0;  // the last byte read: after an image descriptor, its LZW code size
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int count) {
  auto* in = static_cast<GifInput*>(gif->UserData);
  size_t n = count > 0 ? std::min(size_t(count), in->bytes->size() - in->at) : 0;
  if (n) {
    std::memcpy(buffer, in->bytes->data() + in->at, n);
    in->at += n;
    in->last = buffer[n - 1];
  }
  return int(n);
}

// The most pixels `bytes` of LZW data can code: each code of two bits or more gives a string
// at most one pixel longer than the longest before it, and no longer than the 4096-entry table.
uint64_t MostPixels(size_t bytes) {
  uint64_t codes = uint64_t(bytes) * 4;
  return codes * std::min<uint64_t>(codes, 4096);
}

// A file with no colour table at all: black and white for two colours, else a gray ramp over
// the colours the code size holds.
std::vector<Rgb> DefaultPalette(unsigned codeSize, bool twoColours) {
  // A code size below one (never valid) still gets black and white.
  unsigned n = twoColours ? 2 : std::max(2u, 1u << std::min(codeSize, 8u));
  std::vector<Rgb> palette;
  for (unsigned i = 0; i < n; ++i) {
    uint8_t v = uint8_t(i * 255 / (n - 1));
    palette.push_back(MakeRgb(v, v, v));
  }
  return palette;
}

void FillRows(Image& image, uint8_t index) {
  uint8_t byte = image.bits == 1 ? (index ? 0xFF : 0) : image.bits == 4 ? uint8_t(index * 0x11) : index;
  if (byte) std::memset(image.pixels.data(), byte, image.pixels.size());  // else left as allocated
}

int WriteGifBytes(GifFileType* gif, const GifByteType* buffer, int count) {
  auto* out = static_cast<const Stream*>(gif->UserData);
  int64_t n = out->write(out->context, buffer, count);
  return n < 0 ? 0 : int(n);
}

struct GifCloser {
  GifFileType* gif;
  bool reading;
  ~GifCloser() {
    int error = 0;
    if (gif) reading ? DGifCloseFile(gif, &error) : EGifCloseFile(gif, &error);
  }
};

}  // namespace

Status ReadGif(const Stream& source, Image& image) {
  std::vector<uint8_t> bytes;
  Status all = ReadAll(source, bytes);
  if (all != kOk) return all;
  GifInput input{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadGifBytes, &error);
  if (!gif) return error == D_GIF_ERR_NOT_GIF_FILE || error == D_GIF_ERR_READ_FAILED ? kNotThisFormat : kTruncated;
  GifCloser closer{gif, true};
  if (gif->SWidth == 0 || gif->SHeight == 0) return kBadArgument;
  if (uint64_t(gif->SWidth) * gif->SHeight > kMaxPixels) return kTooLarge;
  // Only the first image is read: its records are taken one by one so a damaged tail is ignored.
  GifRecordType record;
  do {
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) return kTruncated;
    if (record == EXTENSION_RECORD_TYPE) {
      int code;
      GifByteType* ext;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) return kTruncated;
      while (ext)
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) return kTruncated;
    }
    if (record == TERMINATE_RECORD_TYPE) return kTruncated;
  } while (record != IMAGE_DESC_RECORD_TYPE);
  if (DGifGetImageDesc(gif) == GIF_ERROR) return kTruncated;
  const unsigned codeSize = input.last;
  const GifImageDesc& d = gif->Image;
  if (d.Width <= 0 || d.Height <= 0) return kBadArgument;
  // Every line of the image is decoded, also those the screen cuts off: refused before any of
  // that work when the rest of the file cannot hold them.
  const uint64_t area = uint64_t(d.Width) * uint64_t(d.Height);
  if (area > kMaxPixels) return kTooLarge;
  if (area > MostPixels(bytes.size() - input.at)) return kTruncated;
  std::vector<GifPixelType> pixels(static_cast<size_t>(area));
  static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  int passes = d.Interlace ? 4 : 1;
  GifPixelType highest = 0;
  for (int pass = 0; pass < passes; ++pass) {
    int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
    for (int y = start; y < d.Height; y += step) {
      GifPixelType* line = &pixels[size_t(y) * size_t(d.Width)];
      if (DGifGetLine(gif, line, d.Width) == GIF_ERROR) return kTruncated;
      highest = std::max(highest, *std::max_element(line, line + d.Width));
    }
  }
  const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
  std::vector<Rgb> palette;
  if (map) {
    if (map->ColorCount <= 0 || map->ColorCount > 256) return kUnsupported;
    for (int i = 0; i < map->ColorCount; ++i)
      palette.push_back(MakeRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
  } else {
    palette = DefaultPalette(codeSize, highest < 2);
  }
  const unsigned colours = unsigned(palette.size());
  uint16_t bits = colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
  if (!Allocate(image, uint32_t(gif->SWidth), uint32_t(gif->SHeight), bits)) return kTooLarge;
  image.palette = std::move(palette);
  FillRows(image, uint8_t(unsigned(gif->SBackGroundColor) < colours ? gif->SBackGroundColor : 0));
  // The image is placed on the logical screen; what lies outside the screen is cut off.
  for (int y = 0; y < d.Height; ++y) {
    int64_t sy = int64_t(d.Top) + y;
    if (sy < 0 || sy >= int64_t(image.height)) continue;
    uint8_t* row = image.Row(uint32_t(sy));
    for (int x = 0; x < d.Width; ++x) {
      int64_t sx = int64_t(d.Left) + x;
      if (sx < 0 || sx >= int64_t(image.width)) continue;
      GifPixelType v = pixels[size_t(y) * size_t(d.Width) + size_t(x)];
      SetIndex(row, uint32_t(sx), bits, uint8_t(v < colours ? v : 0));
    }
  }
  return kOk;
}

Status WriteGif(const Image& image, const Stream& out) {
  if (image.Empty() || image.width > 65535 || image.height > 65535) return kBadArgument;
  if (image.bits > 8 || !out.write) return kUnsupported;
  int error = 0;
  GifFileType* gif = EGifOpen(const_cast<Stream*>(&out), WriteGifBytes, &error);
  if (!gif) return kWriteFailed;
  GifCloser closer{gif, false};
  int colors = 1 << (image.bits == 1 ? 1 : image.bits == 4 ? 4 : 8);
  ColorMapObject* map = GifMakeMapObject(colors, nullptr);
  if (!map) return kNoMemory;
  for (int i = 0; i < colors; ++i) {
    Rgb c = size_t(i) < image.palette.size() ? image.palette[size_t(i)] : Rgb{};
    map->Colors[i] = GifColorType{c.red, c.green, c.blue};
  }
  Status s = kOk;
  int depth = image.bits == 1 ? 1 : image.bits == 4 ? 4 : 8;
  if (EGifPutScreenDesc(gif, int(image.width), int(image.height), depth, 0, map) == GIF_ERROR ||
      EGifPutImageDesc(gif, 0, 0, int(image.width), int(image.height), false, nullptr) == GIF_ERROR)
    s = kWriteFailed;
  std::vector<GifPixelType> line(image.width);
  for (uint32_t y = 0; s == kOk && y < image.height; ++y) {
    for (uint32_t x = 0; x < image.width; ++x) line[x] = IndexAt(image.Row(y), x, image.bits);
    if (EGifPutLine(gif, line.data(), int(image.width)) == GIF_ERROR) s = kWriteFailed;
  }
  GifFreeMapObject(map);
  closer.gif = nullptr;
  if (EGifCloseFile(gif, &error) == GIF_ERROR) s = kWriteFailed;
  return s;
}

}  // namespace imagecore
