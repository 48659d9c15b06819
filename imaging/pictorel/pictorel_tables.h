// The imaging components' file-format decisions, as tables: TIFF compression names and codes,
// TIFF tag names, and the bit depth to write for a format and colour option.
#pragma once
#include <cstdint>
#include <string>

// Colour option: the viewer's save resolution.
enum QmColorOption : int {
  kColorVga = 0, kColorMonochrome = 1, kColor16 = 2, kColor256 = 3, kColorTrue = 4,
  kColorJpegGray = 5, kColorAutomatic = 6,
};

// TIFF compression code to its name; "UNKNOWN" for codes outside the table.
std::string CompressionName(int32_t code);
// TIFF compression option (0-5) to the code written; 1 (none) for any other option.
uint16_t TiffCompressionCode(int32_t option);

struct TiffTagRow {
  uint16_t tag;
  const char* name;
  bool editable;
};
extern const TiffTagRow kTiffTagNames[];
extern const int kTiffTagNameCount;

// The tag's name and whether it is read-only; "Unknown" and false for tags not in the table.
std::string TiffTagName(uint16_t tag, bool& readOnly);

// Screen depth class of a BITSPIXEL value: 4, 8 or 24.
int ScreenBitDepthFor(int bitsPixel);
// Bit depth to write a format (lower-case extension without dot) in a colour option, given
// the depth of the screen for the automatic option.
int FormatBitDepthFor(const std::string& extension, int option, int screenDepth);
