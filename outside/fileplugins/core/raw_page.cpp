#include "raw_page.h"

#include <cstring>
#include <new>

#include "convert.h"

namespace fileplugins {

using imagecore::Image;

std::optional<PageKind> PageKindOf(int32_t pixelType, int32_t bits) {
  if (pixelType == 0 && bits == 1) return PageKind::kBlackWhite;
  if (pixelType == 1 && bits == 8) return PageKind::kGray8;
  if (pixelType == 1 && bits == 16) return PageKind::kGray16;
  if (pixelType == 2 && bits == 24) return PageKind::kRgb24;
  if (pixelType == 2 && bits == 48) return PageKind::kRgb48;
  return std::nullopt;
}

uint16_t BitsOf(PageKind kind) {
  switch (kind) {
    case PageKind::kBlackWhite: return 1;
    case PageKind::kGray8: return 8;
    case PageKind::kGray16: return 16;
    case PageKind::kRgb24: return 24;
    case PageKind::kRgb48: return 48;
  }
  return 0;
}

int16_t PixelTypeOf(PageKind kind) {
  switch (kind) {
    case PageKind::kBlackWhite: return 0;
    case PageKind::kGray8: case PageKind::kGray16: return 1;
    default: return 2;
  }
}

int16_t SamplesOf(PageKind kind) {
  return (kind == PageKind::kRgb24 || kind == PageKind::kRgb48) ? 3 : 1;
}

size_t RowBytesOf(uint32_t width, PageKind kind) {
  return (size_t(width) * BitsOf(kind) + 7) / 8;
}

uint32_t PelsPerMeterOf(uint32_t dpi) { return uint32_t(dpi * 39.37 + 0.5); }

size_t RawPage::RowBytes() const { return RowBytesOf(width, kind); }

namespace {

// Sets the page's size and kind and answers its bytes; kPluginOk or the refusal.
PluginStatus Dimension(RawPage& page, uint32_t width, uint32_t height, PageKind kind, size_t* bytes) {
  if (width == 0 || height == 0 || width > imagecore::kMaxSide || height > imagecore::kMaxSide)
    return kPluginPageUnsupported;
  const uint64_t total = uint64_t(RowBytesOf(width, kind)) * height;
  if (total > kMaxPageBytes) return kPluginPageUnsupported;
  page.width = width;
  page.height = height;
  page.kind = kind;
  *bytes = size_t(total);
  return kPluginOk;
}

}  // namespace

PluginStatus ShapePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind) {
  size_t bytes = 0;
  const PluginStatus s = Dimension(page, width, height, kind, &bytes);
  if (s == kPluginOk) page.rows = {};
  return s;
}

PluginStatus SizePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind) {
  size_t bytes = 0;
  const PluginStatus s = Dimension(page, width, height, kind, &bytes);
  if (s != kPluginOk) return s;
  try {
    page.rows.resize(bytes);
  } catch (const std::bad_alloc&) {
    page.rows = {};
    return kPluginNoMemory;
  }
  return kPluginOk;
}

PluginStatus AllocateWhitePage(RawPage& page, uint32_t width, uint32_t height, PageKind kind) {
  size_t bytes = 0;
  const PluginStatus s = Dimension(page, width, height, kind, &bytes);
  if (s != kPluginOk) return s;
  try {
    page.rows.assign(bytes, 0xFF);  // white at every depth: set bits, full samples
  } catch (const std::bad_alloc&) {
    page.rows = {};
    return kPluginNoMemory;
  }
  return kPluginOk;
}

namespace {

uint32_t DpiOf(uint32_t pelsPerMeter) {
  return uint32_t((pelsPerMeter * 254ull + 5000) / 10000);  // x 0.0254, rounded
}

bool IsBlackAndWhite(const Image& image) {
  if (image.bits != 1 || image.palette.size() < 2) return false;
  const bool dark0 = imagecore::Luma(image.palette[0]) < 128;
  const bool dark1 = imagecore::Luma(image.palette[1]) < 128;
  return dark0 != dark1 && imagecore::IsGrayPalette(image.palette);
}

}  // namespace

PluginStatus PageFromImage(const Image& source, RawPage& page) {
  if (source.Empty()) return kPluginBadArgument;
  Image image;
  PageKind kind;
  if (IsBlackAndWhite(source)) {
    image = source;
    PutBlackFirst(image);
    kind = PageKind::kBlackWhite;
  } else if (imagecore::IsGrayImage(source)) {
    if (imagecore::ToGray8(source, image) != imagecore::kOk) return kPluginPageUnsupported;
    kind = PageKind::kGray8;
  } else {
    if (source.bits == 24) image = source;
    else if (imagecore::IncreaseDepth(source, 24, image) != imagecore::kOk)
      return kPluginPageUnsupported;
    kind = PageKind::kRgb24;
  }
  RawPage out;
  PluginStatus s = AllocateWhitePage(out, image.width, image.height, kind);
  if (s != kPluginOk) return s;
  const size_t line = out.RowBytes();
  for (uint32_t y = 0; y < image.height; ++y) {
    uint8_t* dst = out.Row(y);
    std::memcpy(dst, image.Row(y), line);
    if (kind == PageKind::kRgb24)
      for (uint32_t x = 0; x < image.width; ++x) std::swap(dst[3 * x], dst[3 * x + 2]);
  }
  out.xDpi = DpiOf(image.xPelsPerMeter);
  out.yDpi = DpiOf(image.yPelsPerMeter);
  page = std::move(out);
  return kPluginOk;
}

PluginStatus ImageFromPage(const RawPage& page, Image& image) {
  if (page.kind == PageKind::kGray16 || page.kind == PageKind::kRgb48) return kPluginPageUnsupported;
  Image out;
  const uint16_t bits = BitsOf(page.kind);
  try {
    if (!imagecore::Allocate(out, page.width, page.height, bits)) return kPluginPageUnsupported;
  } catch (const std::bad_alloc&) {
    return kPluginNoMemory;
  }
  if (page.kind == PageKind::kBlackWhite)
    out.palette = {imagecore::MakeRgb(0, 0, 0), imagecore::MakeRgb(255, 255, 255)};
  const size_t line = page.RowBytes();
  for (uint32_t y = 0; y < page.height; ++y) {
    uint8_t* dst = out.Row(y);
    std::memcpy(dst, page.Row(y), line);
    if (bits == 24)
      for (uint32_t x = 0; x < page.width; ++x) std::swap(dst[3 * x], dst[3 * x + 2]);
  }
  out.xPelsPerMeter = PelsPerMeterOf(page.xDpi);
  out.yPelsPerMeter = PelsPerMeterOf(page.yDpi);
  image = std::move(out);
  return kPluginOk;
}

void PutBlackFirst(Image& image) {
  if (!IsBlackAndWhite(image) || imagecore::Luma(image.palette[0]) < 128) return;
  std::swap(image.palette[0], image.palette[1]);
  for (uint8_t& b : image.pixels) b = uint8_t(~b);
}

}  // namespace fileplugins
