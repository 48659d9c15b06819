// What each plug-in's format carries: its file-format code, extension, the page kinds it holds,
// whether one file holds many pages, its compression modes, and how a mode is applied to a
// page. One table, read by every plug-in.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "raw_page.h"

namespace fileplugins {

enum class FileKind { kTiff, kBmp, kJpeg, kPdf, kPcx, kTga, kDjvu };

// Compression modes as offered through COMPRESSION. The numbers follow TWAIN's compression
// codes, except JPEG, which the scan library's save options know as 11.
enum CompressionMode : uint16_t {
  kModeNone = 0,       // TIFF uncompressed; elsewhere the format's own coding (PDF: by page)
  kModePackBits = 1,
  kModeGroup3 = 2,     // CCITT group 3, one-dimensional
  kModeGroup4 = 5,
  kModeLzw = 7,
  kModeJpeg = 11,
  kModeDeflate = 13,
};

struct FormatRule {
  FileKind kind;
  const char* extension;  // without the dot
  uint16_t formatCode;    // the FILEFORMAT value
  bool multipage;
  bool readable;
  std::vector<PageKind> pageKinds;
  std::vector<uint16_t> modes;  // the first is the default
};

const FormatRule& RuleFor(FileKind kind);
const std::vector<FormatRule>& FormatRules();

bool Carries(const FormatRule& rule, PageKind kind);
bool Offers(const FormatRule& rule, uint16_t mode);

// The file-format codes a plug-in reports: its own code, twice for a multipage format, since
// the scan library offers several pages per file only for a plug-in reporting two or more.
std::vector<uint16_t> ReportedFormats(const FormatRule& rule);

// How a page is coded. A mode that cannot code the page's kind gives way to a lossless one:
// the fax codes and JPEG are for 1-bit and for 8/24-bit pages respectively.
enum class Coding { kNone, kPackBits, kGroup3, kGroup4, kLzw, kJpeg, kDeflate, kFormatOwn };
Coding CodingFor(const FormatRule& rule, uint16_t mode, PageKind page);

// COMPRESSQUALITY (0..20, higher is better) as a JPEG quality 20..100.
int JpegQuality(int32_t compressQuality);
constexpr int32_t kDefaultCompressQuality = 11;

}  // namespace fileplugins

namespace fileplugins {

// The mode for a whole-file save, which gets the save options' flags and no mode: JPEG when
// asked and offered, else the format's compressed coding (TIFF: G4 for black and white, LZW
// for the rest), else none.
uint16_t SaveAsMode(const FormatRule& rule, bool compressed, bool jpeg);

}  // namespace fileplugins
