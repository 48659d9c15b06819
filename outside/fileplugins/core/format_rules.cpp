#include "format_rules.h"

#include <algorithm>

namespace fileplugins {

namespace {

using K = PageKind;

const std::vector<FormatRule>& Table() {
  static const std::vector<FormatRule> rules = {
      {FileKind::kTiff, "tif", 0, true, true,
       {K::kBlackWhite, K::kGray8, K::kGray16, K::kRgb24, K::kRgb48},
       {kModeNone, kModePackBits, kModeGroup3, kModeGroup4, kModeLzw, kModeJpeg, kModeDeflate}},
      {FileKind::kBmp, "bmp", 1, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, {kModeNone}},
      // JPEG has no 1-bit pages either: black and white is written as 8-bit gray.
      {FileKind::kJpeg, "jpg", 2, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, {kModeNone}},
      {FileKind::kPdf, "pdf", 3, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24},
       {kModeNone, kModeGroup4, kModeJpeg, kModeDeflate}},
      {FileKind::kPcx, "pcx", 7, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, {kModeNone}},
      // TGA has no 1-bit pages: black and white is kept as 8-bit gray, losing nothing.
      {FileKind::kTga, "tga", 8, false, true, {K::kBlackWhite, K::kGray8, K::kRgb24}, {kModeNone}},
      // DjVu: JB2 for black and white, IW44 for gray and colour.
      {FileKind::kDjvu, "djvu", 6, true, false, {K::kBlackWhite, K::kGray8, K::kRgb24}, {kModeNone}},
  };
  return rules;
}

}  // namespace

const std::vector<FormatRule>& FormatRules() { return Table(); }

const FormatRule& RuleFor(FileKind kind) {
  for (const FormatRule& r : Table())
    if (r.kind == kind) return r;
  return Table().front();
}

bool Carries(const FormatRule& rule, PageKind kind) {
  return std::find(rule.pageKinds.begin(), rule.pageKinds.end(), kind) != rule.pageKinds.end();
}

bool Offers(const FormatRule& rule, uint16_t mode) {
  return std::find(rule.modes.begin(), rule.modes.end(), mode) != rule.modes.end();
}

std::vector<uint16_t> ReportedFormats(const FormatRule& rule) {
  if (rule.multipage) return {rule.formatCode, rule.formatCode};
  return {rule.formatCode};
}

Coding CodingFor(const FormatRule& rule, uint16_t mode, PageKind page) {
  const bool bilevel = page == PageKind::kBlackWhite;
  const bool jpegable = page == PageKind::kGray8 || page == PageKind::kRgb24;
  if (rule.kind == FileKind::kPdf) {
    switch (mode) {
      case kModeGroup4: return bilevel ? Coding::kGroup4 : Coding::kDeflate;
      case kModeJpeg: return bilevel ? Coding::kGroup4 : Coding::kJpeg;
      case kModeDeflate: return Coding::kDeflate;
      default:  // by page: G4 for black and white, Flate for gray, DCT for colour
        return bilevel ? Coding::kGroup4 : page == PageKind::kGray8 ? Coding::kDeflate : Coding::kJpeg;
    }
  }
  if (rule.kind != FileKind::kTiff) return Coding::kFormatOwn;
  switch (mode) {
    case kModePackBits: return Coding::kPackBits;
    case kModeGroup3: return bilevel ? Coding::kGroup3 : Coding::kLzw;
    case kModeGroup4: return bilevel ? Coding::kGroup4 : Coding::kLzw;
    case kModeLzw: return Coding::kLzw;
    case kModeJpeg: return jpegable ? Coding::kJpeg : bilevel ? Coding::kGroup4 : Coding::kLzw;
    case kModeDeflate: return Coding::kDeflate;
    default: return Coding::kNone;
  }
}

int JpegQuality(int32_t q) {
  q = std::clamp(q, int32_t(0), int32_t(20));
  return 20 + int(q) * 4;
}

}  // namespace fileplugins

namespace fileplugins {

uint16_t SaveAsMode(const FormatRule& rule, bool compressed, bool jpeg) {
  if (jpeg && Offers(rule, kModeJpeg)) return kModeJpeg;
  if (compressed && rule.kind == FileKind::kTiff) return kModeGroup4;
  return kModeNone;
}

}  // namespace fileplugins
