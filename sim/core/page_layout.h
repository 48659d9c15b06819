// Where each element of a simulated page lies, in inches from the top-left corner. Shared by the
// page maker and the page-number reader, so the two cannot drift apart.
#pragma once

namespace zebsim::layout {

// A solid black square that shows which corner is the top left.
constexpr double kMarkLeft = 0.3, kMarkTop = 0.3, kMarkSize = 0.4;

// The page number: up to kMaxDigits segment digits, black on white.
constexpr int kMaxDigits = 6;
constexpr double kDigitLeft = 1.0, kDigitTop = 0.2;
constexpr double kDigitWidth = 0.5, kDigitHeight = 0.9, kStroke = 0.1, kDigitPitch = 0.7;

// Segments a..g of a digit: top, top right, bottom right, bottom, bottom left, top left, middle.
struct Box {
  double left, top, right, bottom;
};
constexpr Box kSegments[7] = {
    {0, 0, kDigitWidth, kStroke},
    {kDigitWidth - kStroke, 0, kDigitWidth, kDigitHeight / 2 + kStroke / 2},
    {kDigitWidth - kStroke, kDigitHeight / 2 - kStroke / 2, kDigitWidth, kDigitHeight},
    {0, kDigitHeight - kStroke, kDigitWidth, kDigitHeight},
    {0, kDigitHeight / 2 - kStroke / 2, kStroke, kDigitHeight},
    {0, 0, kStroke, kDigitHeight / 2 + kStroke / 2},
    {0, kDigitHeight / 2 - kStroke / 2, kDigitWidth, kDigitHeight / 2 + kStroke / 2},
};
// Bit i set: segment i lit, for the digits 0 to 9.
constexpr unsigned char kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                              0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// A gray ramp from black at the left to white at the right, and eight colour bars below it.
constexpr double kSideMargin = 0.5;
constexpr double kRampTop = 1.3, kRampBottom = 1.8;
constexpr double kBarsTop = 1.9, kBarsBottom = 2.6;

// Text-like lines of word blocks down to the bottom margin.
constexpr double kTextTop = 2.9, kLinePitch = 0.3, kLineHeight = 0.12, kTextBottomMargin = 0.5;
constexpr double kTextMargin = 0.75, kWordGap = 0.12;

}  // namespace zebsim::layout
