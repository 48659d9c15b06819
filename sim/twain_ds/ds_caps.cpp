#include "ds_caps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

int ItemBytes(uint16_t type) {
  switch (type) {
    case TWTY_INT8: case TWTY_UINT8: return 1;
    case TWTY_INT32: case TWTY_UINT32: case TWTY_FIX32: return 4;
    case TWTY_FRAME: return 16;
    case TWTY_STR32: return 34;
    case TWTY_STR64: return 66;
    case TWTY_STR128: return 130;
    case TWTY_STR255: return 256;
    default: return 2;
  }
}

bool IsString(uint16_t type) { return type >= TWTY_STR32 && type <= TWTY_STR255; }

DsCap Enum(uint16_t id, uint16_t type, std::vector<uint32_t> items, uint32_t def,
           bool settable = true) {
  return {id, type, TWON_ENUMERATION, std::move(items), {}, def, def, settable};
}
DsCap Range(uint16_t id, uint16_t type, uint32_t min, uint32_t max, uint32_t step, uint32_t def) {
  return {id, type, TWON_RANGE, {min, max, step}, {}, def, def, true};
}
DsCap One(uint16_t id, uint16_t type, uint32_t value, bool settable) {
  return {id, type, TWON_ONEVALUE, {}, {}, value, value, settable};
}
DsCap Text(uint16_t id, uint16_t type, const char* text) {
  return {id, type, TWON_ONEVALUE, {}, {text}, 0, 0, false};
}

double Signed(uint16_t type, uint32_t raw) {
  switch (type) {
    case TWTY_FIX32: return Fix32Value(raw);
    case TWTY_INT16: return int16_t(raw);
    case TWTY_INT32: return int32_t(raw);
    case TWTY_INT8: return int8_t(raw);
    default: return raw;
  }
}

}  // namespace

double DsCapabilities::InCurrentUnit(double inches, bool horizontal) const {
  switch (Current(ICAP_UNITS)) {
    case TWUN_CENTIMETERS: return inches * 2.54;
    case TWUN_PIXELS:
      return inches * Fix32Value(Current(horizontal ? ICAP_XRESOLUTION : ICAP_YRESOLUTION));
    default: return inches;
  }
}

uint32_t Fix32Raw(double v) {
  int32_t scaled = static_cast<int32_t>(std::lround(v * 65536.0));
  uint16_t whole = static_cast<uint16_t>(scaled >> 16);
  uint16_t frac = static_cast<uint16_t>(scaled & 0xFFFF);
  return uint32_t(whole) | (uint32_t(frac) << 16);
}

double Fix32Value(uint32_t raw) {
  int16_t whole = static_cast<int16_t>(raw & 0xFFFF);
  uint16_t frac = static_cast<uint16_t>(raw >> 16);
  return whole + frac / 65536.0;
}

DsCapabilities::DsCapabilities() {
  auto fix = [](double v) { return Fix32Raw(v); };
  caps_ = {
      Enum(ICAP_XRESOLUTION, TWTY_FIX32, {fix(100), fix(150), fix(200), fix(300), fix(400), fix(600)}, 3),
      Enum(ICAP_YRESOLUTION, TWTY_FIX32, {fix(100), fix(150), fix(200), fix(300), fix(400), fix(600)}, 3),
      Enum(ICAP_XNATIVERESOLUTION, TWTY_FIX32, {fix(600)}, 0, false),
      Enum(ICAP_YNATIVERESOLUTION, TWTY_FIX32, {fix(600)}, 0, false),
      Enum(ICAP_PIXELTYPE, TWTY_UINT16, {TWPT_BW, TWPT_GRAY, TWPT_RGB}, 1),
      Enum(ICAP_BITDEPTH, TWTY_UINT16, {1, 8, 24}, 1),
      Range(ICAP_BRIGHTNESS, TWTY_FIX32, fix(-1000), fix(1000), fix(1), fix(0)),
      Range(ICAP_CONTRAST, TWTY_FIX32, fix(-1000), fix(1000), fix(1), fix(0)),
      Range(ICAP_HIGHLIGHT, TWTY_FIX32, fix(0), fix(255), fix(1), fix(255)),
      Range(ICAP_SHADOW, TWTY_FIX32, fix(0), fix(255), fix(1), fix(0)),
      Range(ICAP_THRESHOLD, TWTY_FIX32, fix(0), fix(255), fix(1), fix(128)),
      One(ICAP_GAMMA, TWTY_FIX32, fix(2.2), true),
      Enum(ICAP_SUPPORTEDSIZES, TWTY_UINT16, {TWSS_USLETTER, TWSS_A4LETTER, TWSS_USLEGAL}, 0),
      Enum(ICAP_UNITS, TWTY_UINT16, {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PIXELS}, 0),
      Enum(ICAP_XFERMECH, TWTY_UINT16, {TWSX_NATIVE, TWSX_FILE, TWSX_MEMORY}, 0),
      Enum(ICAP_COMPRESSION, TWTY_UINT16, {TWCP_NONE}, 0),
      Enum(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, {TWFF_BMP}, 0),
      Enum(ICAP_FILTER, TWTY_UINT16, {TWFT_RED, TWFT_GREEN, TWFT_BLUE, TWFT_NONE}, 3),
      Enum(ICAP_ORIENTATION, TWTY_UINT16, {TWOR_ROT0, TWOR_ROT90, TWOR_ROT180, TWOR_ROT270}, 0),
      Enum(ICAP_LIGHTPATH, TWTY_UINT16, {TWLP_REFLECTIVE}, 0),
      One(ICAP_PHYSICALWIDTH, TWTY_FIX32, fix(8.5), false),
      One(ICAP_PHYSICALHEIGHT, TWTY_FIX32, fix(14), false),
      One(CAP_FEEDERENABLED, TWTY_BOOL, 1, true),
      One(CAP_FEEDERLOADED, TWTY_BOOL, 1, false),
      One(CAP_PAPERDETECTABLE, TWTY_BOOL, 1, false),
      One(CAP_AUTOFEED, TWTY_BOOL, 1, true),
      One(CAP_DUPLEX, TWTY_UINT16, TWDX_1PASSDUPLEX, false),
      One(CAP_DUPLEXENABLED, TWTY_BOOL, 0, true),
      One(CAP_INDICATORS, TWTY_BOOL, 1, true),
      One(CAP_UICONTROLLABLE, TWTY_BOOL, 1, false),
      One(CAP_DEVICEONLINE, TWTY_BOOL, 1, false),
      One(CAP_ENABLEDSUIONLY, TWTY_BOOL, 1, false),
      One(CAP_XFERCOUNT, TWTY_INT16, 0xFFFF, true),
      {ICAP_HALFTONES, TWTY_STR32, TWON_ENUMERATION, {}, {"None", "Dither", "Diffusion"}, 0, 0, true},
      Text(0x1213, TWTY_STR32, "Quandrix Sim 9000"),
      Text(0x1214, TWTY_STR32, "SIM-0001"),
      Text(0x1216, TWTY_STR32, "1.00"),
  };
  DsCap frames{ICAP_FRAMES, TWTY_FRAME, TWON_ONEVALUE, {}, {}, 0, 0, true};
  caps_.push_back(frames);
  std::vector<uint32_t> ids;
  for (const DsCap& c : caps_) ids.push_back(c.id);
  ids.push_back(CAP_SUPPORTEDCAPS);
  caps_.push_back({CAP_SUPPORTEDCAPS, TWTY_UINT16, TWON_ARRAY, ids, {}, 0, 0, false});
}

DsCap* DsCapabilities::Find(uint16_t id) {
  for (DsCap& c : caps_)
    if (c.id == id) return &c;
  return nullptr;
}

uint32_t DsCapabilities::Current(uint16_t id) const {
  for (const DsCap& c : caps_) {
    if (c.id != id) continue;
    if (c.conType == TWON_ENUMERATION) return c.current < c.items.size() ? c.items[c.current] : 0;
    return c.current;
  }
  return 0;
}

std::string DsCapabilities::CurrentString(uint16_t id) const {
  for (const DsCap& c : caps_)
    if (c.id == id && c.current < c.strings.size()) return c.strings[c.current];
  return "";
}

bool DsCapabilities::Container(uint16_t id, uint16_t msg, TW_CAPABILITY* cap) {
  DsCap* c = Find(id);
  if (!c) return false;
  const int size = ItemBytes(c->itemType);
  const bool strings = IsString(c->itemType);
  const size_t count = strings ? c->strings.size() : c->items.size();
  uint16_t con = c->conType;
  if (msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT) con = TWON_ONEVALUE;
  if (con == TWON_ONEVALUE && c->itemType == TWTY_FRAME) con = TWON_ONEVALUE;
  size_t bytes = 0;
  switch (con) {
    case TWON_ARRAY: bytes = 6 + count * size; break;
    case TWON_ENUMERATION: bytes = 14 + count * size; break;
    case TWON_RANGE: bytes = 22; break;
    default: bytes = 2 + std::max(4, size); break;
  }
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!h) return false;
  uint8_t* p = static_cast<uint8_t*>(GlobalLock(h));
  std::memcpy(p, &c->itemType, 2);
  auto putItem = [&](uint8_t* at, size_t i) {
    if (strings) {
      if (i < c->strings.size()) lstrcpynA(reinterpret_cast<char*>(at), c->strings[i].c_str(), size);
    } else if (c->itemType == TWTY_FRAME) {
      // The frame of the current paper, in inches.
      uint32_t w = Current(ICAP_SUPPORTEDSIZES) == TWSS_A4LETTER ? Fix32Raw(8.27)
                                                                  : Fix32Raw(8.5);
      uint32_t l = Current(ICAP_SUPPORTEDSIZES) == TWSS_A4LETTER   ? Fix32Raw(11.69)
                   : Current(ICAP_SUPPORTEDSIZES) == TWSS_USLEGAL ? Fix32Raw(14)
                                                                  : Fix32Raw(11);
      uint32_t f[4] = {0, 0, Fix32Raw(InCurrentUnit(Fix32Value(w), true)),
                       Fix32Raw(InCurrentUnit(Fix32Value(l), false))};
      // A frame the application set is answered as set (in today's unit).
      if (frameSet_)
        for (int k = 0; k < 4; ++k) f[k] = Fix32Raw(InCurrentUnit(frameInches_[k], k % 2 == 0));
      std::memcpy(at, f, 16);
    } else {
      std::memcpy(at, &c->items[i], size);
    }
  };
  uint32_t n = static_cast<uint32_t>(count);
  if (con == TWON_ARRAY) {
    std::memcpy(p + 2, &n, 4);
    for (size_t i = 0; i < count; ++i) putItem(p + 6 + i * size, i);
  } else if (con == TWON_ENUMERATION) {
    uint32_t def = c->defaultValue;
    std::memcpy(p + 2, &n, 4);
    std::memcpy(p + 6, &c->current, 4);
    std::memcpy(p + 10, &def, 4);
    for (size_t i = 0; i < count; ++i) putItem(p + 14 + i * size, i);
  } else if (con == TWON_RANGE) {
    uint32_t r[5] = {c->items[0], c->items[1], c->items[2], c->defaultValue, c->current};
    std::memcpy(p + 2, r, 20);
  } else if (c->conType == TWON_ENUMERATION) {
    putItem(p + 2, msg == MSG_GETDEFAULT ? c->defaultValue : c->current);
  } else if (strings || c->itemType == TWTY_FRAME) {
    putItem(p + 2, 0);
  } else {
    uint32_t v = msg == MSG_GETDEFAULT ? c->defaultValue : c->current;
    // The physical size is kept in inches and answered in the unit the application chose.
    if (id == ICAP_PHYSICALWIDTH || id == ICAP_PHYSICALHEIGHT)
      v = Fix32Raw(InCurrentUnit(Fix32Value(v), id == ICAP_PHYSICALWIDTH));
    std::memcpy(p + 2, &v, std::min(size, 4));
  }
  GlobalUnlock(h);
  cap->ConType = con;
  cap->hContainer = h;
  return true;
}

uint16_t DsCapabilities::Set(const TW_CAPABILITY& cap, uint16_t* cc) {
  DsCap* c = Find(cap.Cap);
  if (!c) {
    *cc = TWCC_CAPUNSUPPORTED;
    return TWRC_FAILURE;
  }
  if (cap.ConType != TWON_ONEVALUE || !cap.hContainer || GlobalSize(cap.hContainer) < 3) {
    *cc = TWCC_BADVALUE;
    return TWRC_FAILURE;
  }
  if (!c->settable) {
    // A fixed capability still takes the value it has (a flatbed's feeder stays disabled).
    if (!IsString(c->itemType) && c->itemType != TWTY_FRAME && c->conType == TWON_ONEVALUE) {
      uint32_t raw = 0;
      const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(cap.hContainer));
      std::memcpy(&raw, p + 2, std::min<size_t>(GlobalSize(cap.hContainer) - 2, ItemBytes(c->itemType)));
      GlobalUnlock(cap.hContainer);
      if (raw == c->current) return TWRC_SUCCESS;
    }
    *cc = TWCC_CAPBADOPERATION;
    return TWRC_FAILURE;
  }
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(cap.hContainer));
  const size_t avail = GlobalSize(cap.hContainer) - 2;
  uint16_t type;
  std::memcpy(&type, p, 2);
  uint16_t rc = TWRC_SUCCESS;
  if (IsString(c->itemType)) {
    std::string text(reinterpret_cast<const char*>(p + 2), strnlen(reinterpret_cast<const char*>(p + 2), avail));
    auto it = std::find_if(c->strings.begin(), c->strings.end(),
                           [&](const std::string& s) { return lstrcmpiA(s.c_str(), text.c_str()) == 0; });
    if (it == c->strings.end()) {
      *cc = TWCC_BADVALUE;
      rc = TWRC_FAILURE;
    } else {
      c->current = static_cast<uint32_t>(it - c->strings.begin());
    }
  } else if (c->itemType == TWTY_FRAME) {
    // Any frame is taken and kept in inches; the image stays the whole page.
    if (avail >= 16) {
      for (int k = 0; k < 4; ++k) {
        uint32_t raw;
        std::memcpy(&raw, p + 2 + 4 * k, 4);
        frameInches_[k] = Fix32Value(raw) / InCurrentUnit(1.0, k % 2 == 0);
      }
      frameSet_ = true;
    }
  } else {
    uint32_t raw = 0;
    std::memcpy(&raw, p + 2, std::min<size_t>(avail, std::min(4, ItemBytes(type))));
    if (ItemBytes(type) == 2) raw &= 0xFFFF;
    if (ItemBytes(type) == 1) raw &= 0xFF;
    double v = Signed(type, raw);
    if (c->conType == TWON_ENUMERATION) {
      size_t best = 0;
      double bestDistance = 1e300;
      for (size_t i = 0; i < c->items.size(); ++i) {
        double d = std::fabs(Signed(c->itemType, c->items[i]) - v);
        if (d < bestDistance) {
          best = i;
          bestDistance = d;
        }
      }
      c->current = static_cast<uint32_t>(best);
      if (bestDistance != 0) rc = TWRC_CHECKSTATUS;
    } else if (c->conType == TWON_RANGE) {
      double lo = Signed(c->itemType, c->items[0]), hi = Signed(c->itemType, c->items[1]);
      double clamped = std::clamp(v, lo, hi);
      c->current = c->itemType == TWTY_FIX32 ? Fix32Raw(clamped) : static_cast<uint32_t>(clamped);
      if (clamped != v) rc = TWRC_CHECKSTATUS;
    } else {
      if (c->itemType == TWTY_BOOL && raw > 1) {
        *cc = TWCC_BADVALUE;
        rc = TWRC_FAILURE;
      } else {
        c->current = raw;
      }
    }
  }
  GlobalUnlock(cap.hContainer);
  // The bit depth follows the pixel type.
  if (rc != TWRC_FAILURE && cap.Cap == ICAP_PIXELTYPE) {
    uint32_t pt = Current(ICAP_PIXELTYPE);
    Find(ICAP_BITDEPTH)->current = pt == TWPT_BW ? 0 : pt == TWPT_GRAY ? 1 : 2;
  }
  return rc;
}

void DsCapabilities::Reset(uint16_t id) {
  if (DsCap* c = Find(id)) c->current = c->defaultValue;
}

void DsCapabilities::SetCurrentValue(uint16_t id, uint32_t value) {
  if (DsCap* c = Find(id)) c->current = c->defaultValue = value;
}

void DsCapabilities::SetSettable(uint16_t id, bool settable) {
  if (DsCap* c = Find(id)) c->settable = settable;
}
