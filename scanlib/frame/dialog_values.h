// What the library's own dialogs read from the tag records and write back on OK, as plain data,
// so the dialogs' rules work without windows or tag records. Platform-free.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One tag's choices as a dialog sees them (numbers in the tag's type, widened).
struct TagChoices {
  int32_t count = -1;           // -1 not supported, 0 a range min..max by step, n a list
  std::vector<int32_t> items;   // the list
  int32_t min = 0, max = 0, step = 0;
  int32_t current = 0;
  int32_t deflt = 0;

  bool IsList() const { return count > 0; }
  bool IsRange() const { return count == 0; }
  bool Lists(int32_t v) const;
  // Whether ZebSetValue would take the number (a list its items, a range its span).
  bool Accepts(int32_t v) const;
};

// One value OK writes, in the order the dialog writes them.
struct TagWrite {
  enum Kind {
    kNumber,       // a number in the tag's type, through ZebSetValue
    kReal,         // a float tag, through ZebSetValue
    kText,         // a string tag, through ZebSetValue
    kGamma,        // GAMMA's four values
    kCallerScale,  // BRIGHTNESS or CONTRAST, the caller's -1000..1000 scale, for the element
                   // ZebGetValue answers
    kPageStyle,    // the PAGESTYLE setting, which has no tag record
  };
  Kind kind = kNumber;
  uint16_t tag = 0;
  int32_t number = 0;
  float real = 0.0f;
  std::string text;
  std::array<float, 4> gamma{};
};

// A localised text: key, built-in default, most bytes read.
using TextSource = std::function<std::string(const char* key, const char* fallback, int maxBytes)>;

// The working record the settings dialog shares with the scan-area dialog, copied whole into the
// area dialog and back on its OK. The area is kept in 1/300 inch.
struct DialogWorkRecord {
  uint16_t unit = 2;        // 0 inch, 1 cm, 2 pixel
  int32_t resolution = 300; // dots per inch
  uint16_t paper = 0;       // page-size index, 0 custom
  uint16_t side = 0;        // 0 front, 1 both, 2 rear
  uint16_t landscape = 0;
  uint16_t scanMethod = 0;
  int32_t x = 0, y = 0, width = 0, length = 0;
  int32_t maxWidth = 0, maxLength = 0;
};

// Width and length of each page size 0..11 in 1/300 inch, no larger than the device's maximum.
struct PaperTable {
  std::array<std::array<int32_t, 2>, 12> size{};
  bool known[12] = {};
};

// The least width or length of an area, in 1/300 inch.
constexpr int32_t kLeastArea = 64;

// Whether the page-side rule of the scan method lets Both and Rear be chosen: not when FEEDERTYPE
// lists fewer than two sides, or the scan method is neither 0 nor 1, while its first choice is
// the front.
bool SidesOpen(const TagChoices& feederType, int32_t scanMethod);
// Whether a side button can be chosen: Front always; Both (1) and Rear (2) when the rule lets
// them and FEEDERTYPE takes the side.
bool SideSelectable(const TagChoices& feederType, bool sidesOpen, int side);
