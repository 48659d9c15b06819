// The run-length and mode codes of fax coding (ITU-T T.4 and T.6), most significant bit first.
#pragma once
#include <cstdint>

namespace pixels {

struct FaxCode {
  uint16_t bits;   // the code, right-aligned
  uint8_t length;  // in bits
};

// Terminating codes for runs 0..63.
extern const FaxCode kWhiteTerminating[64];
extern const FaxCode kBlackTerminating[64];
// Make-up codes for runs 64, 128, .. 1728 (index run / 64 - 1).
extern const FaxCode kWhiteMakeUp[27];
extern const FaxCode kBlackMakeUp[27];
// Make-up codes shared by both colours for 1792 .. 2560 (index (run - 1792) / 64).
extern const FaxCode kExtendedMakeUp[13];

constexpr FaxCode kPassCode{0x1, 4};
constexpr FaxCode kHorizontalCode{0x1, 3};
// Vertical modes for a1 - b1 = -3 .. 3 (index difference + 3).
extern const FaxCode kVerticalCodes[7];
constexpr FaxCode kEndOfLine{0x001, 12};

}  // namespace pixels
