// Readers and writers of the image file formats. Readers take the whole file from a stream and
// answer kOk with a decoded image or a failure code; no input makes them read past their data.
// Writers take an image at a depth the format holds (the callers convert first).
#pragma once
#include <memory>
#include <string>

#include "image.h"
#include "status.h"
#include "stream.h"

namespace imagecore {

enum class FileFormat { kUnknown, kBmp, kPng, kGif, kPcx, kJpeg, kPcd, kTga, kTiff };

struct FileInfo {
  FileFormat format = FileFormat::kUnknown;
  std::string name;       // "BMP", "PNG", "GIF", "PCX", "JPEG", "PCD", "TGA", "TIFF"
  uint32_t width = 0, height = 0;
  uint16_t bits = 0;
  std::string colorText;  // "Black and White", "Gray", "Palette", "True Color"
  uint16_t compression = 0;  // TIFF compression code of the page; 0 elsewhere
  uint32_t pages = 1;
};

FileFormat SniffFormat(const uint8_t* head, size_t size);
// Decodes the file to learn its kind and size; kNotThisFormat when no reader knows it.
Status ProbeFile(const Stream& in, FileInfo& info);
std::string ColorText(const Image& image);

Status ReadBmp(const Stream& in, Image& image);
Status WriteBmp(const Image& image, const Stream& out);
// A BMP file written as its rows come, bottom row first, never whole in memory: `header` gives
// the size, depth, colour table and resolution (its pixels are not read); row(context, y, scratch)
// answers row y (top row 0) as Stride() bytes, in the caller's data or made in `scratch`.
using BmpRowSource = const uint8_t* (*)(const void* context, uint32_t y, uint8_t* scratch);
Status WriteBmpRows(const Image& header, BmpRowSource row, const void* context, const Stream& out);
Status ReadPcx(const Stream& in, Image& image);
Status WritePcx(const Image& image, const Stream& out);
Status ReadTga(const Stream& in, Image& image);
Status WriteTga(const Image& image, const Stream& out);
// step 1 the 192 x 128 image, 2 the 384 x 256 image, 3 the 768 x 512 base image.
Status ReadPcd(const Stream& in, int step, Image& image);
Status ReadGif(const Stream& in, Image& image);
Status WriteGif(const Image& image, const Stream& out);
Status ReadPng(const Stream& in, Image& image);
Status WritePng(const Image& image, bool interlace, const Stream& out);
Status ReadJpeg(const Stream& in, Image& image);
// quality 1..100 (0 takes 75), smoothing 0..100; a palette image is written as gray.
Status WriteJpeg(const Image& image, int quality, int smoothing, const Stream& out);

// Rows handed to the JPEG coder one at a time, top row first, coded as they come and the file
// streamed out as it grows: a page is never copied for it.
enum class JpegInput { kGray, kRgb, kBgr };  // one byte a pixel; R,G,B; B,G,R (DIB rows)
struct JpegRows {
  uint32_t width = 0, height = 0;
  JpegInput input = JpegInput::kRgb;
  uint32_t xPelsPerMeter = 0, yPelsPerMeter = 0;  // 0: no resolution written
  // Row y: a pointer into the caller's data, or rows made in `scratch` (width x 3 bytes).
  const uint8_t* (*row)(const void* context, uint32_t y, uint8_t* scratch) = nullptr;
  const void* context = nullptr;
};
Status WriteJpegRows(const JpegRows& rows, int quality, int smoothing, const Stream& out);

// The same coder driven by the rows' owner: Start with the rows' description (its `row` unused),
// Put the rows top first as they arrive, Finish after the last. The file is streamed out as it
// grows; a failed write or codec error ends the coding and every later call answers it.
class JpegRowCoder {
 public:
  JpegRowCoder();
  ~JpegRowCoder();
  JpegRowCoder(const JpegRowCoder&) = delete;
  JpegRowCoder& operator=(const JpegRowCoder&) = delete;

  Status Start(const JpegRows& shape, int quality, int smoothing, const Stream& out);
  // `count` rows, each of width x (1 or 3) bytes; more rows than the image has are refused.
  Status Put(const uint8_t* const* rows, uint32_t count);
  // Refused (kBadArgument) before every row was put.
  Status Finish();
  uint32_t RowsPut() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace imagecore
