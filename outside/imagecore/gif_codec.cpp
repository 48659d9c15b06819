// GIF through giflib: the first image of the file, placed on its logical screen.
#include <gif_lib.h>

#include <cstring>

#include "codecs.h"

namespace imagecore {

namespace {

struct GifInput {
  const Stream* stream;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int count) {
  auto* in = static_cast<GifInput*>(gif->UserData);
  int64_t n = in->stream->read(in->stream->context, buffer, count);
  return n < 0 ? 0 : int(n);
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

Status ReadGif(const Stream& in, Image& image) {
  if (!in.read) return kReadFailed;
  GifInput input{&in};
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
  const GifImageDesc& d = gif->Image;
  ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (!map || map->ColorCount <= 0 || map->ColorCount > 256) return kUnsupported;
  uint16_t bits = map->ColorCount <= 2 ? 1 : map->ColorCount <= 16 ? 4 : 8;
  if (!Allocate(image, uint32_t(gif->SWidth), uint32_t(gif->SHeight), bits)) return kTooLarge;
  image.palette.clear();
  for (int i = 0; i < map->ColorCount; ++i)
    image.palette.push_back(MakeRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
  uint8_t background = uint8_t(gif->SBackGroundColor < map->ColorCount ? gif->SBackGroundColor : 0);
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) SetIndex(image.Row(y), x, bits, background);
  if (d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 || d.Left + d.Width > gif->SWidth ||
      d.Top + d.Height > gif->SHeight)
    return kBadArgument;
  std::vector<GifPixelType> line(size_t(d.Width));
  static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  int passes = d.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
    for (int y = start; y < d.Height; y += step) {
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return kTruncated;
      uint8_t* row = image.Row(uint32_t(d.Top + y));
      for (int x = 0; x < d.Width; ++x) {
        uint8_t v = line[size_t(x)] < map->ColorCount ? line[size_t(x)] : 0;
        SetIndex(row, uint32_t(d.Left + x), bits, v);
      }
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
