// Page operations rewrite the whole file into a new buffer: pages kept are copied strip by strip
// without decoding (JPEG and tiled pages are decoded and written again), the new page is
// encoded where it belongs, and the caller's bytes change only when all of it worked.
#include <cstring>

#include "tiff_client.h"
#include "tiff_codec.h"
#include "tiff_write.h"

namespace imagecore {

namespace {

struct PlanItem {
  int sourcePage;      // -1: the new image
};

template <typename T>
void CopyField(TIFF* in, TIFF* out, ttag_t tag) {
  T v;
  if (TIFFGetField(in, tag, &v)) TIFFSetField(out, tag, v);
}

void CopyText(TIFF* in, TIFF* out, ttag_t tag) {
  const char* v = nullptr;
  if (TIFFGetField(in, tag, &v) && v) TIFFSetField(out, tag, v);
}

bool RawCopyable(TIFF* in) {
  uint16_t c = 1;
  TIFFGetFieldDefaulted(in, TIFFTAG_COMPRESSION, &c);
  return !TIFFIsTiled(in) && (c == kTiffNone || c == kTiffCcittRle || c == kTiffG3 || c == kTiffG4 ||
                              c == kTiffLzw || c == kTiffPackBits || c == kTiffDeflate ||
                              c == kTiffJpeg);
}

Status RawCopyPage(TIFF* in, uint64_t fileSize, TIFF* out) {
  CopyField<uint32_t>(in, out, TIFFTAG_IMAGEWIDTH);
  CopyField<uint32_t>(in, out, TIFFTAG_IMAGELENGTH);
  CopyField<uint16_t>(in, out, TIFFTAG_BITSPERSAMPLE);
  CopyField<uint16_t>(in, out, TIFFTAG_SAMPLESPERPIXEL);
  CopyField<uint16_t>(in, out, TIFFTAG_COMPRESSION);
  CopyField<uint16_t>(in, out, TIFFTAG_PHOTOMETRIC);
  CopyField<uint16_t>(in, out, TIFFTAG_FILLORDER);
  CopyField<uint16_t>(in, out, TIFFTAG_ORIENTATION);
  CopyField<uint16_t>(in, out, TIFFTAG_PLANARCONFIG);
  CopyField<uint32_t>(in, out, TIFFTAG_ROWSPERSTRIP);
  CopyField<float>(in, out, TIFFTAG_XRESOLUTION);
  CopyField<float>(in, out, TIFFTAG_YRESOLUTION);
  CopyField<uint16_t>(in, out, TIFFTAG_RESOLUTIONUNIT);
  CopyField<uint32_t>(in, out, TIFFTAG_GROUP3OPTIONS);
  CopyField<uint32_t>(in, out, TIFFTAG_GROUP4OPTIONS);
  CopyField<uint16_t>(in, out, TIFFTAG_PREDICTOR);
  CopyField<uint32_t>(in, out, TIFFTAG_SUBFILETYPE);
  for (ttag_t t : {TIFFTAG_DOCUMENTNAME, TIFFTAG_IMAGEDESCRIPTION, TIFFTAG_MAKE, TIFFTAG_MODEL,
                   TIFFTAG_PAGENAME, TIFFTAG_SOFTWARE, TIFFTAG_DATETIME, TIFFTAG_ARTIST,
                   TIFFTAG_HOSTCOMPUTER, TIFFTAG_COPYRIGHT})
    CopyText(in, out, t);
  uint16_t *r, *g, *b;
  if (TIFFGetField(in, TIFFTAG_COLORMAP, &r, &g, &b)) TIFFSetField(out, TIFFTAG_COLORMAP, r, g, b);
  uint16_t extraCount = 0;
  uint16_t* extra = nullptr;
  if (TIFFGetField(in, TIFFTAG_EXTRASAMPLES, &extraCount, &extra))
    TIFFSetField(out, TIFFTAG_EXTRASAMPLES, extraCount, extra);
  uint32_t tablesSize = 0;
  void* tables = nullptr;
  if (TIFFGetField(in, TIFFTAG_JPEGTABLES, &tablesSize, &tables) && tablesSize)
    TIFFSetField(out, TIFFTAG_JPEGTABLES, tablesSize, tables);
  uint16_t subH = 0, subV = 0;
  uint16_t photometric = 0;
  TIFFGetField(in, TIFFTAG_PHOTOMETRIC, &photometric);
  if (photometric == PHOTOMETRIC_YCBCR && TIFFGetField(in, TIFFTAG_YCBCRSUBSAMPLING, &subH, &subV))
    TIFFSetField(out, TIFFTAG_YCBCRSUBSAMPLING, subH, subV);
  float* reference = nullptr;
  if (TIFFGetField(in, TIFFTAG_REFERENCEBLACKWHITE, &reference) && reference)
    TIFFSetField(out, TIFFTAG_REFERENCEBLACKWHITE, reference);
  uint32_t strips = TIFFNumberOfStrips(in);
  std::vector<uint8_t> buf;
  for (uint32_t i = 0; i < strips; ++i) {
    uint64_t n = TIFFGetStrileByteCount(in, i), at = TIFFGetStrileOffset(in, i);
    // A strip said to reach past the end of the file is cut: refused before a buffer its size.
    if (n > fileSize || at > fileSize - n) return kTruncated;
    buf.resize(size_t(n));
    tmsize_t got = n ? TIFFReadRawStrip(in, i, buf.data(), tmsize_t(n)) : 0;
    if (got < 0) return kTruncated;
    if (TIFFWriteRawStrip(out, i, buf.data(), got) < 0) return kWriteFailed;
  }
  return TIFFWriteDirectory(out) ? kOk : kWriteFailed;
}

Status Rewrite(const std::vector<uint8_t>& file, const std::vector<PlanItem>& plan,
               const Image* image, uint16_t compression, std::vector<uint8_t>& result) {
  ReadOnlyMemory source(file.data(), file.size());
  Stream sourceStream = source.AsStream();
  TIFF* in = file.empty() ? nullptr : TiffOpenStream(sourceStream, "rm");
  if (!file.empty() && !in) return kNotThisFormat;
  TiffCloser inCloser{in};
  std::vector<uint8_t> bytes;
  MemoryStream target(bytes);
  Stream targetStream = target.AsStream();
  TIFF* out = TiffOpenStream(targetStream, "w");
  if (!out) return kWriteFailed;
  TiffCloser outCloser{out};
  for (const PlanItem& item : plan) {
    Status s;
    if (item.sourcePage < 0) {
      s = WriteTiffDirectory(out, *image, compression);
    } else {
      if (!TIFFSetDirectory(in, tdir_t(item.sourcePage))) return kTruncated;
      if (RawCopyable(in)) {
        s = RawCopyPage(in, file.size(), out);
      } else {
        uint16_t c = 1;
        TIFFGetFieldDefaulted(in, TIFFTAG_COMPRESSION, &c);
        Image page;
        ReadOnlyMemory again(file.data(), file.size());
        Stream againStream = again.AsStream();
        s = ReadTiffPage(againStream, uint32_t(item.sourcePage), page);
        if (s == kOk) s = WriteTiffDirectory(out, page, TiffCanWrite(c) ? c : kTiffLzw);
      }
    }
    if (s != kOk) return s;
  }
  TIFFClose(out);
  outCloser.tif = nullptr;
  result = std::move(bytes);
  return kOk;
}

uint32_t CountPages(const std::vector<uint8_t>& file) { return TiffPageCount(file.data(), file.size()); }

Status Apply(std::vector<uint8_t>& file, const std::vector<PlanItem>& plan, const Image* image,
             uint16_t compression) {
  std::vector<uint8_t> result;
  Status s = Rewrite(file, plan, image, compression, result);
  if (s == kOk) file = std::move(result);
  return s;
}

std::vector<PlanItem> AllPages(uint32_t count) {
  std::vector<PlanItem> plan;
  for (uint32_t i = 0; i < count; ++i) plan.push_back(PlanItem{int(i)});
  return plan;
}

Status CheckNew(const Image& image, uint16_t compression) {
  if (image.Empty()) return kBadArgument;
  return TiffCanWrite(compression) ? kOk : kUnsupported;
}

}  // namespace

uint32_t TiffPageCount(const uint8_t* data, size_t size) {
  ReadOnlyMemory m(data, size);
  Stream s = m.AsStream();
  TIFF* tif = TiffOpenStream(s, "rm");
  if (!tif) return 0;
  uint32_t n = TIFFNumberOfDirectories(tif);
  TIFFClose(tif);
  return n;
}

Status TiffAppendPage(std::vector<uint8_t>& file, const Image& image, uint16_t compression) {
  return TiffInsertPage(file, image, compression, UINT32_MAX);
}

Status TiffInsertPage(std::vector<uint8_t>& file, const Image& image, uint16_t compression,
                      uint32_t page) {
  Status s = CheckNew(image, compression);
  if (s != kOk) return s;
  uint32_t count = file.empty() ? 0 : CountPages(file);
  if (!file.empty() && count == 0) return kNotThisFormat;
  std::vector<PlanItem> plan = AllPages(count);
  plan.insert(plan.begin() + (page < count ? page : count), PlanItem{-1});
  return Apply(file, plan, &image, compression);
}

Status TiffReplacePage(std::vector<uint8_t>& file, const Image& image, uint16_t compression,
                       uint32_t page) {
  Status s = CheckNew(image, compression);
  if (s != kOk) return s;
  uint32_t count = CountPages(file);
  if (count == 0) return kNotThisFormat;
  if (page >= count) return kBadPage;
  std::vector<PlanItem> plan = AllPages(count);
  plan[page] = PlanItem{-1};
  return Apply(file, plan, &image, compression);
}

Status TiffDeletePage(std::vector<uint8_t>& file, uint32_t page) {
  uint32_t count = CountPages(file);
  if (count == 0) return kNotThisFormat;
  if (page >= count || count == 1) return kBadPage;
  std::vector<PlanItem> plan = AllPages(count);
  plan.erase(plan.begin() + page);
  return Apply(file, plan, nullptr, 0);
}

Status TiffPack(std::vector<uint8_t>& file) {
  uint32_t count = CountPages(file);
  if (count == 0) return kNotThisFormat;
  return Apply(file, AllPages(count), nullptr, 0);
}

}  // namespace imagecore
