// ZebSetProp: a scan's settings stored as tags in a fixed order, so that each tag's side
// effects happen in a known sequence.
#include <cstdio>

#include "c_locale_number.h"
#include "debug_log.h"
#include "library_state.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_lifecycle.h"

namespace {

constexpr const char* kName = "SetPropTWAIN";

int32_t Set16(uint16_t tag, int32_t v) {
  int16_t value = static_cast<int16_t>(v);
  return ZebSetValue(tag, &value);
}

int32_t Set32(uint16_t tag, int32_t v) { return ZebSetValue(tag, &v); }

int32_t SetFloat(uint16_t tag, float v) { return ZebSetValue(tag, &v); }

// A refused field ends the call with its result, after a detail line naming it.
bool Refused(int32_t rc, const char* field, int32_t value) {
  if (rc == kZebOk) return false;
  LogDetail(field, "   ", value);
  return true;
}

bool RefusedArea(int32_t rc, const char* field, float value) {
  if (rc == kZebOk) return false;
  char text[32];
  std::snprintf(text, sizeof text, "%s", FormatFixedC(static_cast<double>(value), 5, 2).c_str());
  LogDetailText(field, "   ", text);
  return true;
}

int32_t EntryCheck() {
  if (gLib.driverKind < 0 || gLib.lastStatus == kZebNoSource) return kZebNoSource;
  if (gLib.state < kStateStarted) return kZebNotStarted;
  if (gLib.state < kStateDriverStarted) InitDrv(gLib.driverKind);
  if (gLib.state < kStateDriverStarted) return gLib.lastStatus != kZebOk ? gLib.lastStatus : kZebNotStarted;
  if (gLib.state < kStateReady) {
    const int32_t rc = ZebInitTag();
    if (rc != kZebOk) return rc;
  }
  return kZebOk;
}

}  // namespace

extern "C" int32_t __stdcall ZebSetProp(TScanPropRec prop) {
  LogIn(kName);
  int32_t rc = EntryCheck();
  if (rc != kZebOk) return rc;

  if (Refused(rc = Set16(kTagTransferMode, prop.TransMode), "prop.TransMode", prop.TransMode)) return rc;
  if (Refused(rc = Set16(kTagPixelType, prop.PixelType), "prop.PixelType", prop.PixelType)) return rc;
  if (Refused(rc = Set16(kTagScanType, prop.ScanMethod), "prop.ScanMethod", prop.ScanMethod)) return rc;

  if (Set16(kTagFilter, prop.Filter) != kZebOk) {
    LogDetail("prop.Filter", "   ", prop.Filter);
    if (prop.Filter == 0) {
      if (prop.PixelType == 2 || prop.PixelType == 255) {
        // The driver takes no "all channels": each channel gets the values in turn.
        for (int32_t channel = 1; channel <= 3; ++channel) {
          if ((rc = Set16(kTagFilter, channel)) != kZebOk) return rc;
          if (Refused(rc = Set16(kTagBrightness, prop.Brightness), "prop.Brightness", prop.Brightness)) return rc;
          if (Refused(rc = Set16(kTagContrast, prop.Contrast), "prop.Contrast", prop.Contrast)) return rc;
        }
      } else if ((rc = Set16(kTagFilter, 2)) != kZebOk) {
        return rc;
      }
    }
  }
  if (Refused(rc = Set16(kTagBrightness, prop.Brightness), "prop.Brightness", prop.Brightness)) return rc;
  if (Refused(rc = Set16(kTagContrast, prop.Contrast), "prop.Contrast", prop.Contrast)) return rc;
  if (Refused(rc = Set32(kTagXResolution, prop.XRes), "prop.XRes", prop.XRes)) return rc;
  if (Refused(rc = Set32(kTagYResolution, prop.YRes), "prop.YRes", prop.YRes)) return rc;
  if (Refused(rc = Set16(kTagBitsPerPixel, prop.BitsPerPixel), "prop.BitsPerPixel", prop.BitsPerPixel)) return rc;
  if (Refused(rc = Set16(kTagUnits, prop.Size.Unit), "prop.Size.Unit", prop.Size.Unit)) return rc;
  if (Refused(rc = Set16(kTagPageSize, prop.Size.DefPaper), "prop.Size.DefPaper", prop.Size.DefPaper)) return rc;
  if (prop.Size.DefPaper == 0) {
    if (RefusedArea(rc = SetFloat(kTagXPosition, prop.Size.Left), "prop.Size.left", prop.Size.Left)) return rc;
    if (RefusedArea(rc = SetFloat(kTagYPosition, prop.Size.Top), "prop.Size.top", prop.Size.Top)) return rc;
    if (RefusedArea(rc = SetFloat(kTagImageWidth, prop.Size.Width), "prop.Size.width", prop.Size.Width)) return rc;
    if (RefusedArea(rc = SetFloat(kTagImageLength, prop.Size.Length), "prop.Size.length", prop.Size.Length)) return rc;
  }
  rc = Set16(kTagUiControl, prop.ShowUI);
  if (rc != kZebOk) {
    LogDetail("prop.ShowUI", "   ", prop.ShowUI);
    LogDetail("prop.ShowUI", "return ", rc);
  }
  LogOut(kName, rc);
  return rc;
}
