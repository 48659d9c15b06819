// Driver kind 2: the tag records from what the ISIS driver behind isisdrv.dll offers, and the
// push of a scan's values to it.
#pragma once
#include <cstdint>

#include "tag_state.h"
#include "tag_table.h"

// ISIS tag numbers the adapter asks and sends beside the table's own column.
enum IsisTag : int32_t {
  kIsisImageWidth = 256,
  kIsisImageLength = 257,
  kIsisBitsPerSample = 258,
  kIsisCompression = 259,
  kIsisSamplesPerPixel = 277,
  kIsisXResolution = 282,
  kIsisYResolution = 283,
  kIsisXPosition = 286,
  kIsisYPosition = 287,
  kIsisPageSize = 1294,
  kIsisFeeder = 1300,
};

// ISISTagFlags bits, and the ISISTagChoice indexes of a range.
constexpr int32_t kIsisFlagRange = 0x20000;
constexpr int32_t kIsisFlagList = 0x40000;
constexpr int32_t kIsisChoiceMin = 0xFFFF;
constexpr int32_t kIsisChoiceMax = 0xFFFE;
constexpr int32_t kIsisChoiceStep = 0xFFFD;
// The resolutions go to the driver as {dots per inch, 1}.
constexpr int32_t kIsisTypeRational = 0x8012;

// Fills one row's record from the driver's flags, count and choices for the row's ISIS tag, then
// loads the stored value. Answers 0, or the negative answer of ISISTagFlags (the record is then
// left as it was).
int32_t InitISISTag(const TagDef* row, TagState* record);

// Pushes a scan's values to the driver before ISISAcquire; 0 or the first refusal.
int32_t ISISSetProp();
