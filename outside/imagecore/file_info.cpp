#include <cstring>

#include "codecs.h"
#include "tiff_codec.h"

namespace imagecore {

FileFormat SniffFormat(const uint8_t* h, size_t n) {
  if (n >= 2 && h[0] == 'B' && h[1] == 'M') return FileFormat::kBmp;
  if (n >= 8 && std::memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0) return FileFormat::kPng;
  if (n >= 6 && (std::memcmp(h, "GIF87a", 6) == 0 || std::memcmp(h, "GIF89a", 6) == 0)) return FileFormat::kGif;
  if (n >= 3 && h[0] == 0xFF && h[1] == 0xD8 && h[2] == 0xFF) return FileFormat::kJpeg;
  // 43 is BigTIFF: known as TIFF so that its reader can say it does not read it.
  if (n >= 4 && ((h[0] == 'I' && h[1] == 'I' && (h[2] == 42 || h[2] == 43) && h[3] == 0) ||
                 (h[0] == 'M' && h[1] == 'M' && h[2] == 0 && (h[3] == 42 || h[3] == 43))))
    return FileFormat::kTiff;
  if (n >= 0x807 && std::memcmp(h + 0x800, "PCD_IPI", 7) == 0) return FileFormat::kPcd;
  if (n >= 128 && h[0] == 10 && h[2] == 1 && h[1] <= 5) return FileFormat::kPcx;
  // TGA has no signature: a plausible header is taken as one.
  if (n >= 18 && h[1] <= 1 && (h[2] == 1 || h[2] == 2 || h[2] == 3 || h[2] == 9 || h[2] == 10 || h[2] == 11))
    return FileFormat::kTga;
  return FileFormat::kUnknown;
}

std::string ColorText(const Image& image) {
  if (image.bits == 1) return "Black and White";
  if (image.bits <= 8) return IsGrayPalette(image.palette) ? "Gray" : "Palette";
  return "True Color";
}

static const char* FormatName(FileFormat f) {
  switch (f) {
    case FileFormat::kBmp: return "BMP";
    case FileFormat::kPng: return "PNG";
    case FileFormat::kGif: return "GIF";
    case FileFormat::kPcx: return "PCX";
    case FileFormat::kJpeg: return "JPEG";
    case FileFormat::kPcd: return "PCD";
    case FileFormat::kTga: return "TGA";
    case FileFormat::kTiff: return "TIFF";
    default: return "";
  }
}

Status ProbeFile(const Stream& in, FileInfo& info) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  info = FileInfo{};
  info.format = SniffFormat(f.data(), f.size());
  info.name = FormatName(info.format);
  ReadOnlyMemory m(f.data(), f.size());
  Stream st = m.AsStream();
  Image image;
  switch (info.format) {
    case FileFormat::kBmp: s = ReadBmp(st, image); break;
    case FileFormat::kPng: s = ReadPng(st, image); break;
    case FileFormat::kGif: s = ReadGif(st, image); break;
    case FileFormat::kPcx: s = ReadPcx(st, image); break;
    case FileFormat::kJpeg: s = ReadJpeg(st, image); break;
    case FileFormat::kPcd: s = ReadPcd(st, 1, image); break;
    case FileFormat::kTga: s = ReadTga(st, image); break;
    case FileFormat::kTiff: {
      TiffPageInfo t;
      s = TiffInfo(st, 0, t);
      if (s != kOk) return s;
      ReadOnlyMemory again(f.data(), f.size());
      Stream st2 = again.AsStream();
      s = ReadTiffPage(st2, 0, image);
      info.compression = t.compression;
      info.pages = t.pages;
      break;
    }
    default: return kNotThisFormat;
  }
  if (s != kOk) return s;
  info.width = image.width;
  info.height = image.height;
  info.bits = image.bits;
  info.colorText = ColorText(image);
  return kOk;
}

}  // namespace imagecore
