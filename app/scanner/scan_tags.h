// The scan tags the application reads and sets, each with its value type, and reads and writes
// in the tag's own size: a 16-bit tag gets 2 bytes, a text tag a zero-filled buffer of its
// size, and every answer lands in a zeroed buffer (the library writes only the tag's bytes).
// Platform-free.
#pragma once
#include <cstdint>
#include <string>

namespace tarnwick {

class ScanLibrary;

namespace scan_tag {
constexpr uint16_t kDriverName = 0x9003;
constexpr uint16_t kProductName = 0x9004;
constexpr uint16_t kIndicators = 0x9051;
constexpr uint16_t kMinBuffer = 0x9052;
constexpr uint16_t kScanType = 0x9100;   // 1 feeder, 2 flatbed
constexpr uint16_t kFeederType = 0x9101; // 1 duplex
constexpr uint16_t kXResolution = 0x9200;
constexpr uint16_t kBrightness = 0x9204;
constexpr uint16_t kContrast = 0x9205;
constexpr uint16_t kFilter = 0x9209;
constexpr uint16_t kDither = 0x9211;
constexpr uint16_t kInvert = 0x9300;
constexpr uint16_t kColorMatch = 0x9304;
constexpr uint16_t kAutoCrop = 0x9309;
constexpr uint16_t kPhysicalHeight = 0x9400;
constexpr uint16_t kPhysicalWidth = 0x9401;
constexpr uint16_t kUnits = 0x9504;      // the geometry tags' unit: 0 inch, 1 cm, 2 pixel
constexpr uint16_t kPaperPresent = 0x9603;
}  // namespace scan_tag

// Tag flags as ZebGetTagFlag answers them.
constexpr int32_t kTagFlagUnsupported = 0x8000;
constexpr int32_t kTagFlagRange = 0x8001;
constexpr int32_t kTagFlagList = 0x8002;
// ZebGetTagChoice's index of a range's maximum.
constexpr int32_t kRangeMaxChoice = 2;

enum class ScanTagKind { Int16, Int32, Float, Text, Unknown };

// The value type of a tag the application uses; Unknown for any other tag.
ScanTagKind KindOfScanTag(uint16_t tag);
// Bytes of the tag's value: 2, 4, 4, or the text buffer (33 for the 32-character texts).
int ScanTagBytes(uint16_t tag);

// What the helpers answer for a tag outside the application's table, or a value of the wrong
// kind for the tag (the library's "bad tag" code).
constexpr int32_t kScanTagWrongKind = -7;

// ZebGetValue / ZebGetTagChoice of a number tag (16-bit values sign-extended), a float tag and a
// text tag. *out is written only when the library answers 0.
int32_t GetScanTagNumber(ScanLibrary& library, uint16_t tag, int32_t* out);
int32_t GetScanTagFloat(ScanLibrary& library, uint16_t tag, float* out);
int32_t GetScanTagText(ScanLibrary& library, uint16_t tag, std::string* out);
int32_t GetScanTagChoiceNumber(ScanLibrary& library, uint16_t tag, int32_t index, int32_t* out);
// ZebSetValue in the tag's own size; a text longer than the tag's buffer is cut to fit.
int32_t SetScanTagNumber(ScanLibrary& library, uint16_t tag, int32_t value);
int32_t SetScanTagText(ScanLibrary& library, uint16_t tag, const std::string& text);

}  // namespace tarnwick
