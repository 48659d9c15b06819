// TWAINSetProp: a scan's tag values pushed to the open TWAIN source, in a fixed order, before
// TWAINAcquire. Pushes marked "stop" end the push with the source's refusal; the rest are
// settings a source may lack, whose refusal changes nothing of the scan.
#include <cmath>
#include <cstring>

#include "debug_log.h"
#include "driver_flags.h"
#include "page_sizes.h"
#include "tag_state.h"
#include "tw_caps.h"
#include "tw_none_word.h"
#include "tw_push.h"
#include "tw_set_prop_steps.h"
#include "tw_tags.h"

namespace {

// PIXELTYPE 0 black and white, 1 gray, 2 colour (a palette at 8 bits).
uint32_t TwainPixelType() {
  switch (CurrentInt(kRowPixelType)) {
    case 0: return kTwptBw;
    case 1: return kTwptGray;
    default: return CurrentInt(kRowBitsPerPixel) == 8 ? kTwptPalette : kTwptRgb;
  }
}

// Threshold for the "None" halftone, else the named halftone.
int32_t PushHalftone() {
  const char* dither = CurrentText(kRowDither);
  // The engine copies a whole TW_STR32 item: never read past the tag's 33 bytes.
  char name[34] = {};
  if (dither) std::strncpy(name, dither, 32);
  if (NoneWord() == name) {
    PushValue(kIcapBitDepthReduction, kTwbrThreshold);
    return 0;
  }
  int32_t rc = PushValue(kIcapBitDepthReduction, kTwbrHalftone);
  if (rc != 0) return rc;
  return CallTWAINSetValue(kIcapHalftones, kTwOneValue, name);
}

int32_t PushChannel(int channel) {
  const uint32_t filter =
      channel == 0 ? kTwftNone : kTwftRed + static_cast<uint32_t>(channel - 1);
  // A source without this filter has no such channel setting: nothing more to send for it.
  if (PushValue(kIcapFilter, filter) != 0) return 0;
  auto value = [channel](int row) -> int32_t {
    const int16_t* v = ColourValues(row);
    return v ? v[channel] : 0;
  };
  int32_t rc = PushValue(kIcapBrightness, WholeFix32(value(kRowBrightness)));
  if (rc != 0) return rc;
  rc = PushValue(kIcapContrast, WholeFix32(value(kRowContrast)));
  if (rc != 0) return rc;
  PushValue(kIcapHighlight, WholeFix32(value(kRowHighlight)));
  PushValue(kIcapShadow, WholeFix32(value(kRowShadow)));
  const float* gamma = GammaValues();
  PushValue(kIcapGamma, FloatFix32(gamma ? gamma[channel] : 1.0f));
  return 0;
}

// FILTER 0 none, 1 red, 2 green, 3 blue as TWFT values.
uint32_t TwainFilter() {
  const int32_t f = CurrentInt(kRowFilter) - 1;
  return f >= 0 && f <= 2 ? static_cast<uint32_t>(f) : kTwftNone;
}

// The fixed paper the scan area is, as a TWSS code; 0 for any other area.
uint32_t TwainPaperOfArea() {
  static const uint32_t kTwss[][2] = {{2, 3}, {3, 4}, {4, 11}, {5, 1}, {6, 5},
                                      {7, 12}, {8, 6}, {9, 2}, {11, 53}};
  if (CurrentFloat(kRowXPosition) != 0.0f || CurrentFloat(kRowYPosition) != 0.0f) return 0;
  const float width = CurrentFloat(kRowImageWidth), length = CurrentFloat(kRowImageLength);
  for (const auto& m : kTwss) {
    float w = 0, l = 0;
    if (GetPaperDimensions(static_cast<int32_t>(m[0]), CurrentInt(kRowUnits), &w, &l) != 0) continue;
    if (std::fabs(w - width) <= w * 0.005f && std::fabs(l - length) <= l * 0.005f) return m[1];
  }
  return 0;
}

uint32_t TwainUnit() {
  switch (CurrentInt(kRowUnits)) {
    case 0: return kTwunInches;
    case 1: return kTwunCentimeters;
    default: return kTwunPixels;
  }
}

int32_t Push() {
  int32_t rc = PushTransferChoice();
  if (rc != 0) return rc;

  const uint32_t pixelType = TwainPixelType();
  if ((rc = PushValue(kIcapPixelType, pixelType)) != 0) return rc;
  if ((rc = PushValue(kIcapBitDepth, static_cast<uint32_t>(CurrentInt(kRowBitsPerPixel)))) != 0)
    return rc;
  // Some sources reset the pixel type when the depth changes.
  if ((rc = PushValue(kIcapPixelType, pixelType)) != 0) return rc;
  if (pixelType == kTwptBw && (rc = PushHalftone()) != 0) return rc;

  if ((rc = PushPaperPath()) != 0) return rc;

  // A resolution is dots per unit: sent in inches, as a source that starts in pixels demands.
  PushValue(kIcapUnits, kTwunInches);
  if ((rc = PushValue(kIcapXResolution, WholeFix32(CurrentInt(kRowXResolution) & 0xFFFF))) != 0)
    return rc;
  if ((rc = PushValue(kIcapYResolution, WholeFix32(CurrentInt(kRowYResolution) & 0xFFFF))) != 0)
    return rc;

  const bool colour = CurrentInt(kRowPixelType) == 2;
  for (int channel = 0; channel < (colour ? 4 : 1); ++channel)
    if ((rc = PushChannel(channel)) != 0) return rc;
  if (!colour) PushValue(kIcapFilter, TwainFilter());

  if ((rc = PushValue(kIcapPixelFlavor, static_cast<uint32_t>(CurrentInt(kRowInvert)))) != 0)
    return rc;
  PushValue(kCapIndicators, static_cast<uint32_t>(CurrentInt(kRowIndicators)));
  PushValue(kCapUiControl, static_cast<uint32_t>(CurrentInt(kRowUiControl)));
  const int32_t count = FeederInUse == 1 ? CurrentInt(kRowXferCount) : -1;
  if ((rc = PushValue(kCapXferCount, static_cast<uint32_t>(count))) != 0) return rc;
  if ((rc = PushValue(kIcapUnits, TwainUnit())) != 0) return rc;

  PushValue(kCapColorMatch, static_cast<uint32_t>(CurrentInt(kRowColorMatch)));
  PushValue(kCapSharpen, static_cast<uint32_t>(CurrentInt(kRowSharpen)));
  PushValue(kCapDescreen, static_cast<uint32_t>(CurrentInt(kRowDescreen)));

  // A fixed paper by name first; a source that keeps its own paper size over a frame scans it.
  const uint32_t paper = TwainPaperOfArea();
  if (paper != 0) PushValue(kIcapSupportedSizes, paper);
  rc = PushScanFrame();
  PushValue(kCapAutoCrop, static_cast<uint32_t>(CurrentInt(kRowAutoCrop)));
  PushValue(kIcapAutomaticDeskew, static_cast<uint32_t>(CurrentInt(kRowDeskew)));
  return rc;
}

}  // namespace

int32_t TWAINSetProp() {
  LogIn("TWAINSetProp");
  const int32_t rc = Push();
  LogOut("TWAINSetProp", rc);
  return rc;
}
