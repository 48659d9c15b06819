// How each tag is kept in the settings store: value kind, fallback, Default and the check a
// loaded value gets against the driver's choices. Platform-free data.
#pragma once
#include <cstdint>

#include "tag_table.h"

enum StoreKind : int {
  kStoreNone,         // never stored
  kStoreDword,        // a DWORD; 16-bit values sign-extended
  kStoreWrittenOnly,  // a DWORD that is written but never read back (BITSPERPIXEL)
  kStoreIntText,      // a string "%d"
  kStoreGeometry,     // a string "%5.2f"
  kStoreText,         // a string of the tag's size
  kStoreFourDwords,   // NAME, NAME_R, NAME_G, NAME_B as DWORDs
  kStoreFourIntTexts, // the same names as strings "%d"
  kStoreFourGamma,    // the same names as strings "%2.2f"
};

enum LoadCheck : int {
  kCheckNone,  // taken as read
  kCheckL,     // list or range
  kCheckS,     // list or range, and on the step
  kCheckR,     // range only
  kCheckC,     // choices only
  kCheckZ,     // choices only, 0 otherwise
  kCheckOwn,   // the tag's own rule (colour tags, GAMMA, MINBUFFER, PAGESIZE ...)
};

struct TagSetting {
  StoreKind Kind;
  LoadCheck Check;
  const char* Fallback;  // as the store would hold it ("%d" for numbers); nullptr: none
};

extern const TagSetting kTagSettings[kTagCount];

// The stored names of a four-value row: NAME, NAME_R, NAME_G, NAME_B. out holds 32 bytes.
void ChannelValueName(const char* name, int channel, char out[32]);

// MINBUFFER's stored value is kept within these bounds (compared unsigned).
constexpr uint32_t kMinBufferLow = 32768;
constexpr uint32_t kMinBufferHigh = 2100000;
