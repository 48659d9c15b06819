// KSSetProp: a scan's tag values pushed to the maker's driver before it acquires.
#include <cstring>
#include <initializer_list>

#include "convert_tag_value.h"
#include "debug_log.h"
#include "driver_calls.h"
#include "driver_flags.h"
#include "ks_tags.h"
#include "tag_ids.h"
#include "tag_state.h"
#include "tag_types.h"

namespace {

// Sends the row's current value in its own type.
int32_t Send(int row) {
  const TagDef& d = kTagTable[row];
  if (IsTagStringType(d.Type)) return CallKSSetValue(d.Tag, d.Type, CurrentText(row));
  uint8_t value[4] = {};
  if (d.Type == kTypeFloat) {
    const float f = CurrentFloat(row);
    std::memcpy(value, &f, 4);
  } else {
    WriteNumber(d.Type, CurrentInt(row), value);
  }
  return CallKSSetValue(d.Tag, d.Type, value);
}

int32_t SendInt(int row, int32_t v) {
  uint8_t value[4] = {};
  WriteNumber(kTagTable[row].Type, v, value);
  return CallKSSetValue(kTagTable[row].Tag, kTagTable[row].Type, value);
}

}  // namespace

int32_t KSSetChannelProps(int32_t type, int32_t channel) {
  uint8_t filter[4] = {};
  WriteNumber(type, channel, filter);
  int32_t rc = CallKSSetValue(kTagFilter, type, filter);
  if (rc != 0) return rc;
  const int c = ChannelIndexFor(channel);
  for (int row : {kRowBrightness, kRowContrast, kRowHighlight, kRowShadow}) {
    const int16_t* values = ColourValues(row);
    const int16_t element = values ? values[c] : 0;
    uint8_t value[4] = {};
    ConvertTagValue(value, kTagTable[row].Type, kTypeInt16, &element);
    rc = CallKSSetValue(kTagTable[row].Tag, kTagTable[row].Type, value);
    if (rc != 0) return rc;
  }
  float gamma = GammaValues() ? GammaValues()[c] : 1.0f;
  return CallKSSetValue(kTagGamma, kTypeFloat, &gamma);
}

int32_t KSSetProp() {
  LogIn("TWAINSetProp");
  int32_t rc = 0;
#define STOP_ON(call)                  \
  if ((rc = (call)) != 0) {            \
    LogOut("TWAINSetProp", rc);        \
    return rc;                         \
  }
  DriverDelivers = 0;
  STOP_ON(Send(kRowBatchScan));
  STOP_ON(Send(kRowPixelType));
  if (CurrentInt(kRowPixelType) == 0) STOP_ON(Send(kRowDither));
  STOP_ON(Send(kRowBitsPerPixel));

  // Decided afresh for every scan, so an empty feeder is not taken from the last one.
  const int32_t scanType = CurrentInt(kRowScanType);
  if (scanType == 0) {
    int16_t paper = 0;
    CallKSGetValue(kTagPaperPresent, kTagTable[kRowPaperPresent].Type, &paper);
    FeederInUse = paper != 0 ? 1 : 0;
  } else {
    FeederInUse = scanType == 1 ? 1 : 0;
  }
  STOP_ON(Send(kRowScanType));
  STOP_ON(Send(kRowFeederType));
  STOP_ON(Send(kRowXResolution));
  STOP_ON(Send(kRowYResolution));

  const int type = kTagTable[kRowFilter].Type;
  if (CurrentInt(kRowPixelType) == 2) {
    for (int32_t c = 0; c < 4; ++c) KSSetChannelProps(type, c);
  } else {
    const int32_t filter = CurrentInt(kRowFilter);
    if (KSSetChannelProps(type, filter) != 0 && KSSetChannelProps(type, filter != 0 ? 0 : 2) != 0) {
      LogOut("TWAINSetProp", 1);
      return 1;
    }
  }

  STOP_ON(Send(kRowInvert));
  Send(kRowIndicators);
  Send(kRowUiControl);
  STOP_ON(SendInt(kRowXferCount, FeederInUse == 1 ? CurrentInt(kRowXferCount) : -1));
  STOP_ON(Send(kRowUnits));
  Send(kRowColorMatch);
  Send(kRowSharpen);
  Send(kRowDescreen);
  Send(kRowOverscan);
  const bool lines = CurrentInt(kRowDeskew) != 0 || CurrentInt(kRowAutoCrop) != 0;
  SendInt(kRowBackgroundLines, lines ? CurrentInt(kRowBackgroundLines) : 0);
  STOP_ON(Send(kRowXPosition));
  STOP_ON(Send(kRowYPosition));
  STOP_ON(Send(kRowImageWidth));
  STOP_ON(Send(kRowImageLength));
  Send(kRowLengthDetect);
  Send(kRowContinueJob);
  Send(kRowAutoCrop);
  Send(kRowBackground);
#undef STOP_ON
  LogOut("TWAINSetProp", 0);
  return 0;
}
