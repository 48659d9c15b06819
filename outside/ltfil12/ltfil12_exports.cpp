// The file entry points over the codec library's readers and writers.
#include <windows.h>

#include <utility>

#include "bitmap_image.h"
#include "codecs.h"
#include "convert.h"
#include "file_stream.h"
#include "guarded_call.h"
#include "ltfil12.h"
#include "save_rules.h"
#include "tiff_append.h"
#include "tiff_codec.h"

using namespace imagecore;
using namespace ltbitmap;

namespace {

Status ReadFirstPage(const std::vector<uint8_t>& file, Image& image) {
  ReadOnlyMemory memory(file.data(), file.size());
  Stream in = memory.AsStream();
  switch (SniffFormat(file.data(), file.size())) {
    case FileFormat::kBmp: return ReadBmp(in, image);
    case FileFormat::kPng: return ReadPng(in, image);
    case FileFormat::kGif: return ReadGif(in, image);
    case FileFormat::kPcx: return ReadPcx(in, image);
    case FileFormat::kJpeg: return ReadJpeg(in, image);
    case FileFormat::kPcd: return ReadPcd(in, 3, image);
    case FileFormat::kTga: return ReadTga(in, image);
    case FileFormat::kTiff: return ReadTiffPage(in, 0, image);
    default: return kNotThisFormat;
  }
}

int32_t WriteNewFile(const char* path, const Image& image, const SavePlan& plan, int32_t factor) {
  std::vector<uint8_t> bytes;
  MemoryStream memory(bytes);
  Status s = plan.kind == SaveKind::kJpeg
                 ? WriteJpeg(image, JpegQualityFromFactor(factor), 0, memory.AsStream())
                 : WriteTiff(image, plan.compression, memory.AsStream());
  if (s != kOk) return ResultOf(s);
  return ResultOf(dibglue::WriteWholeFile(path, bytes));
}

const uint8_t* BitmapRow(const void* context, uint32_t y, uint8_t*) {
  const auto& b = *static_cast<const LtBitmapHandle*>(context);
  const uint32_t row = b.ViewPerspective == kLtBottomLeft ? uint32_t(b.Height) - 1 - y : y;
  return b.Data + size_t(row) * uint32_t(b.BytesPerLine);
}

// A colour bitmap written as colour JPEG is coded straight from its rows, as the copy the other
// writes make of it would hold them: a scanned colour page is tens of megabytes.
bool CodesAsItIs(const LtBitmapHandle& b, const SavePlan& plan, int32_t bits) {
  return plan.kind == SaveKind::kJpeg && b.BitsPerPixel == 24 && bits == 24 && b.Width > 0 &&
         b.Height > 0 && b.BytesPerLine >= 3 * b.Width &&
         uint64_t(b.BytesPerLine) * uint32_t(b.Height) <= b.DataSize;
}

int32_t WriteColourJpeg(const char* path, const LtBitmapHandle& b, int32_t factor) {
  JpegRows rows;
  rows.width = uint32_t(b.Width);
  rows.height = uint32_t(b.Height);
  rows.input = JpegInput::kBgr;
  rows.xPelsPerMeter = DpiToPelsPerMeter(b.XResolution);
  rows.yPelsPerMeter = DpiToPelsPerMeter(b.YResolution);
  rows.row = BitmapRow;
  rows.context = &b;
  std::vector<uint8_t> bytes;
  MemoryStream memory(bytes);
  Status s = WriteJpegRows(rows, JpegQualityFromFactor(factor), 0, memory.AsStream());
  if (s != kOk) return ResultOf(s);
  return ResultOf(dibglue::WriteWholeFile(path, bytes));
}

}  // namespace

extern "C" int32_t __stdcall L_LoadBitmap(const char* file, LtBitmapHandle* bitmap, int32_t bits,
                                          int32_t order, void* loadOptions, void* fileInfo) {
  return Guarded([&]() -> int32_t {
    if (!bitmap) return kLtBadArgument;
    InitRecord(*bitmap, 0);
    if (!file || !*file || loadOptions || fileInfo) return kLtBadArgument;
    if (bits != 0 && bits != 1 && bits != 4 && bits != 8 && bits != 24) return kLtBadArgument;
    if (!dibglue::FileExists(file)) return kLtOpenFailed;
    std::vector<uint8_t> bytes;
    Status s = dibglue::ReadWholeFile(file, bytes);
    if (s != kOk) return ResultOf(s);
    Image page, image;
    s = ReadFirstPage(bytes, page);
    if (s != kOk) return ResultOf(s);
    s = ConvertDepth(page, uint16_t(bits), false, image);
    if (s != kOk) return ResultOf(s);
    s = StoreImage(image, kLtTopLeft, *bitmap);
    if (s != kOk) return ResultOf(s);
    bitmap->XResolution = PelsPerMeterToDpi(image.xPelsPerMeter);
    bitmap->YResolution = PelsPerMeterToDpi(image.yPelsPerMeter);
    return kLtSuccess;
  }, kLtFailure);
}

extern "C" int32_t __stdcall L_SaveFile(const char* file, LtBitmapHandle* bitmap, int32_t format,
                                        int32_t bits, int32_t factor, uint32_t flags, void*, void*,
                                        void*) {
  return Guarded([&]() -> int32_t {
    if (!bitmap || !HoldsImage(*bitmap)) return kLtNoBitmap;
    if (!file || !*file) return kLtBadArgument;
    SavePlan plan;
    if (PlanSave(format, plan) != kOk) return kLtUnknownFormat;
    if (CodesAsItIs(*bitmap, plan, bits)) return WriteColourJpeg(file, *bitmap, factor);
    Image image, out;
    Status s = RecordToImage(*bitmap, image);
    if (s != kOk) return ResultOf(s);
    s = PrepareForSave(std::move(image), bits, plan, out);
    if (s != kOk) return s == kBadArgument ? kLtBadDepth : ResultOf(s);
    if (plan.kind == SaveKind::kTiff && (flags & kLtSaveAppend) && dibglue::FileExists(file))
      return ltfil::AppendTiffPage(file, out, plan.compression);
    return WriteNewFile(file, out, plan, factor);
  }, kLtFailure);
}
