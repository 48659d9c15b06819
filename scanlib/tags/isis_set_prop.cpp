// ISISSetProp: a scan's tag values pushed to the ISIS driver before it acquires.
#include <windows.h>

#include <cstring>

#include "debug_log.h"
#include "driver_calls.h"
#include "driver_flags.h"
#include "isis_area.h"
#include "isis_tags.h"
#include "library_state.h"
#include "tag_ids.h"
#include "tag_types.h"

namespace {

constexpr const char* kName = "ISISSetProp";

// Makers whose drivers take INVERT the other way round for black-and-white.
constexpr const char* kInvertedMakers[] = {"kestrin", "vorland", "pelix", "brauns", "oktavo"};

int32_t SendNumber(int32_t tag, int row, int32_t v) {
  uint8_t value[4] = {};
  WriteNumber(kTagTable[row].Type, v, value);
  return CallISISSetValue(tag, kTagTable[row].Type, value);
}

int32_t SendInt32(int32_t tag, int32_t v) { return CallISISSetValue(tag, kTypeInt32, &v); }

int32_t SendResolution(int32_t tag, int row) {
  int32_t pair[2] = {CurrentInt(row), 1};
  return CallISISSetValue(tag, kIsisTypeRational, pair);
}

// The first of a channel row's four values, in the row's type.
int32_t SendChannelValue(int row) {
  const TagDef& d = kTagTable[row];
  if (d.Type == kTypeFloat) {
    float g = GammaValues() ? GammaValues()[0] : 1.0f;
    return CallISISSetValue(d.IsisTag, d.Type, &g);
  }
  const int16_t* values = ColourValues(row);
  return SendNumber(d.IsisTag, row, values ? values[0] : 0);
}

int32_t FeederValue(int32_t scanType) {
  switch (scanType) {
    case 0: return 0;
    case 1: return CurrentInt(kRowFeederType) == 1 ? 4 : 3;
    case 2: return 2;
    default: return 1;
  }
}

bool InvertsBlackAndWhite() {
  const char* maker = gLib.sourceIdentity.Manufacturer;
  for (const char* prefix : kInvertedMakers) {
    const int n = lstrlenA(prefix);
    if (lstrlenA(maker) >= n &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, maker, n, prefix, n) == CSTR_EQUAL)
      return true;
  }
  return false;
}

// The step is a whole number of device pixels, whatever type the area tags have.
int32_t StepOf(int32_t tag) {
  int32_t step = 0;
  CallISISTagChoice(tag, kTypeInt32, kIsisChoiceStep, &step);
  return step;  // IsisAreaAxis treats a step below 1 as 1
}

IsisAxis Axis(int positionRow, int extentRow, int physicalRow, int resolutionRow) {
  return IsisAreaAxis(CurrentFloat(positionRow), CurrentFloat(extentRow), CurrentFloat(physicalRow),
                      CurrentInt(kRowUnits), CurrentInt(resolutionRow),
                      StepOf(kTagTable[positionRow].IsisTag),
                      StepOf(kTagTable[extentRow].IsisTag));
}

}  // namespace

int32_t ISISSetProp() {
  LogIn(kName);
  int32_t rc = 0;
#define STOP_ON(call)       \
  if ((rc = (call)) != 0) { \
    LogOut(kName, rc);      \
    return rc;              \
  }
  // The library assembles every ISIS page from the driver's row blocks.
  DriverDelivers = 0;
  const int32_t pixelType = CurrentInt(kRowPixelType);
  const int32_t samples = pixelType == 2 ? 3 : 1;
  STOP_ON(SendNumber(kIsisSamplesPerPixel, kRowPixelType, samples));
  // BITSPERPIXEL holds bits a pixel (its choices are the driver's bits a sample times the
  // samples); the driver takes bits a sample.
  STOP_ON(SendNumber(kIsisBitsPerSample, kRowBitsPerPixel, CurrentInt(kRowBitsPerPixel) / samples));

  const int32_t scanType = CurrentInt(kRowScanType);
  // An automatic scan may take every page in the feeder, so its pages are numbered as a
  // feeder scan's: a glass scan before must not leave them all under one name.
  FeederInUse = (scanType == 0 || scanType == 1) ? 1 : 0;
  STOP_ON(SendNumber(kIsisFeeder, kRowScanType, FeederValue(scanType)));

  STOP_ON(SendResolution(kIsisXResolution, kRowXResolution));
  STOP_ON(SendResolution(kIsisYResolution, kRowYResolution));
  for (int row : {kRowBrightness, kRowContrast, kRowHighlight, kRowShadow, kRowGamma})
    STOP_ON(SendChannelValue(row));
  // The only compression offered, 0, is the driver's 1: none.
  STOP_ON(SendNumber(kIsisCompression, kRowCompression, 1));

  int32_t invert = CurrentInt(kRowInvert);
  if (pixelType == 0 && InvertsBlackAndWhite()) invert = invert == 0 ? 1 : 0;
  STOP_ON(SendNumber(kTagTable[kRowInvert].IsisTag, kRowInvert, invert));

  const IsisAxis x = Axis(kRowXPosition, kRowImageWidth, kRowPhysicalWidth, kRowXResolution);
  const IsisAxis y = Axis(kRowYPosition, kRowImageLength, kRowPhysicalHeight, kRowYResolution);
  STOP_ON(SendInt32(kIsisXPosition, x.position));
  STOP_ON(SendInt32(kIsisImageWidth, x.extent));
  STOP_ON(SendInt32(kIsisYPosition, y.position));
  STOP_ON(SendInt32(kIsisImageLength, y.extent));
#undef STOP_ON
  LogOut(kName, 0);
  return 0;
}
