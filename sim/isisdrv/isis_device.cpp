#include "isis_device.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "page_delivery.h"

namespace {

// ISIS tags the driver knows.
enum : int32_t {
  kWidth = 256, kLength = 257, kBitsPerSample = 258, kCompression = 259, kSamples = 277,
  kXRes = 282, kYRes = 283, kXPos = 286, kYPos = 287, kUnits = 296, kDither = 1280,
  kContrast = 1281, kBrightness = 1282, kXferCount = 1284, kPageSize = 1294, kGamma = 1295,
  kFeeder = 1300, kInvert = 1507, kHighlight = 5053,
};
enum : int32_t { kType16 = 0x8010, kType32 = 0x8011, kTypePair = 0x8012, kTypeText = 0x8014 };
constexpr int32_t kRange = 0x20000, kList = 0x40000;
constexpr int32_t kMin = 0xFFFF, kMax = 0xFFFE, kStep = 0xFFFD;
constexpr int kTextSize = 33;

void WriteNumber(int32_t type, int32_t v, void* out) {
  if (type == kType16) {
    const int16_t s = static_cast<int16_t>(v);
    std::memcpy(out, &s, 2);
  } else {
    std::memcpy(out, &v, 4);
  }
}

int32_t ReadNumber(int32_t type, const void* in) {
  if (type == kType16) {
    int16_t s;
    std::memcpy(&s, in, 2);
    return s;
  }
  int32_t v;
  std::memcpy(&v, in, 4);
  return v;
}

void WriteText(const std::string& text, void* out) {
  char* p = static_cast<char*>(out);
  lstrcpynA(p, text.c_str(), kTextSize);
}

}  // namespace

IsisDevice& Device() {
  static IsisDevice device;
  return device;
}

int32_t IsisDevice::Load(const zebsim::SimConfig& config, const IsisSettings& settings,
                         const IsisSetup& setup, int model) {
  if (loaded_ && model == model_) return 0;
  if (config.loadResult != 0) return config.loadResult;
  config_ = config;
  if (!settings.duplex) config_.duplex = false;
  settings_ = settings;
  model_ = model;
  zebsim::SimConfig feeder = config_, glass = config_;
  feeder.flatbed = false;
  glass.flatbed = true;
  glass.fault = zebsim::Fault::None;
  feeder_ = std::make_unique<zebsim::SimFeeder>(feeder);
  glass_ = std::make_unique<zebsim::SimFeeder>(glass);
  values_ = {{kSamples, 1}, {kBitsPerSample, 8}, {kXRes, 300}, {kYRes, 300}, {kUnits, 2},
             {kCompression, 1}, {kInvert, 0}, {kFeeder, config.flatbed ? 2 : 0}, {kBrightness, 128},
             {kContrast, 128}, {kXPos, 0}, {kYPos, 0}, {kWidth, 0}, {kLength, 0}};
  if (!settings.resolutions.empty()) values_[kXRes] = values_[kYRes] = settings.resolutions[0];
  pageSize_ = settings.pageSizes.empty() ? "" : zebsim::PaperSizeOf(settings.pageSizes[0]).name;
  loaded_ = true;
  Note("load Driver=" + setup.driver + " Model=" + setup.model);
  Note(std::string("model ") + kIsisModels[model].name);
  return 0;
}

void IsisDevice::Free() {
  loaded_ = false;
  feeder_.reset();
  glass_.reset();
}

void IsisDevice::Note(const std::string& line) const {
  if (settings_.record.empty()) return;
  if (FILE* f = std::fopen(settings_.record.c_str(), "a")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

int32_t IsisDevice::Value(int32_t tag) const {
  auto it = values_.find(tag);
  return it == values_.end() ? 0 : it->second;
}

const zebsim::PaperSize& IsisDevice::SelectedPaper() const {
  zebsim::Paper p = config_.paper;
  zebsim::PaperByName(pageSize_, &p);
  return zebsim::PaperSizeOf(p);
}

IsisDevice::Offer IsisDevice::OfferFor(int32_t tag) const {
  Offer o;
  auto range = [&](int32_t min, int32_t max, int32_t step) {
    o.range = true;
    o.min = min;
    o.max = max;
    o.step = step;
  };
  switch (tag) {
    case kFeeder:
      // 0 automatic, 2 the glass, 3 the feeder one side, 4 both sides.
      o.items = config_.flatbed ? std::vector<int32_t>{0, 2} : std::vector<int32_t>{0, 2, 3};
      if (!config_.flatbed && config_.duplex) o.items.push_back(4);
      break;
    case kSamples: o.items = {1, 3}; break;
    case kBitsPerSample:
      o.items = Value(kSamples) == 3 ? std::vector<int32_t>{8} : std::vector<int32_t>{1, 8};
      break;
    case kXRes: case kYRes:
      if (!settings_.resolutions.empty()) o.items = settings_.resolutions;
      else range(settings_.resolutionMin, settings_.resolutionMax, settings_.resolutionStep);
      break;
    case kBrightness: case kContrast: range(0, 255, 1); break;
    case kHighlight: o.items = settings_.highlight; break;
    case kUnits: o.items = {2, 3, 1}; break;
    case kCompression: o.items = {1}; break;
    case kInvert: o.items = {0, 1}; break;
    case kDither:
      if (Value(kBitsPerSample) == 1) o.texts = {"None", "Bayer", "Diffusion"};
      break;
    case kXferCount: range(1, 9999, 1); break;
    case kPageSize:
      for (zebsim::Paper p : settings_.pageSizes) o.texts.push_back(zebsim::PaperSizeOf(p).name);
      break;
    // The area in 1/300 inch on the selected page size; the step in device pixels.
    case kWidth: case kXPos: {
      const int32_t w = static_cast<int32_t>(SelectedPaper().widthInch * 300 + 0.5);
      range(tag == kWidth ? 1 : 0, w, std::max(1, settings_.areaStep));
      break;
    }
    case kLength: case kYPos: {
      const int32_t l = static_cast<int32_t>(SelectedPaper().lengthInch * 300 + 0.5);
      range(tag == kLength ? 1 : 0, l, std::max(1, settings_.areaStep));
      break;
    }
    default: break;
  }
  return o;
}

int32_t IsisDevice::Flags(int32_t tag, int32_t* flags) const {
  if (!loaded_) return kIsisNotLoaded;
  const Offer o = OfferFor(tag);
  *flags = o.range ? kRange : o.Offered() ? kList : 0;
  return 0;
}

int32_t IsisDevice::Count(int32_t tag, int32_t* count) const {
  if (!loaded_) return kIsisNotLoaded;
  const Offer o = OfferFor(tag);
  *count = o.range ? 0 : static_cast<int32_t>(o.texts.empty() ? o.items.size() : o.texts.size());
  return 0;
}

int32_t IsisDevice::Choice(int32_t tag, int32_t type, int32_t index, void* value) const {
  if (!loaded_) return kIsisNotLoaded;
  if (!value) return kIsisRefused;
  const Offer o = OfferFor(tag);
  if (o.range) {
    if (tag == kXferCount && index == 0) {
      WriteNumber(type, o.max, value);
      return 0;
    }
    const int32_t v = index == kMin ? o.min : index == kMax ? o.max : index == kStep ? o.step : 0;
    if (index != kMin && index != kMax && index != kStep) return kIsisRefused;
    WriteNumber(type, v, value);
    return 0;
  }
  if (!o.texts.empty()) {
    if (index < 0 || index >= static_cast<int32_t>(o.texts.size())) return kIsisRefused;
    WriteText(o.texts[static_cast<size_t>(index)], value);
    return 0;
  }
  if (index < 0 || index >= static_cast<int32_t>(o.items.size())) return kIsisRefused;
  WriteNumber(type, o.items[static_cast<size_t>(index)], value);
  return 0;
}

int32_t IsisDevice::Get(int32_t tag, int32_t type, void* value) const {
  if (!loaded_) return kIsisNotLoaded;
  if (!value) return kIsisRefused;
  if (tag == kPageSize || tag == kDither) {
    WriteText(tag == kPageSize ? pageSize_ : "None", value);
    return 0;
  }
  WriteNumber(type, Value(tag), value);
  return 0;
}

bool IsisDevice::Accepts(int32_t tag, int32_t v) const {
  const Offer o = OfferFor(tag);
  if (tag == kXPos || tag == kYPos || tag == kWidth || tag == kLength) {
    // Device pixels at the current resolution, on the step, inside the page.
    const int32_t res = Value(tag == kXPos || tag == kWidth ? kXRes : kYRes);
    const int64_t most = (static_cast<int64_t>(o.max) * res + 299) / 300;
    return v >= 0 && v <= most && v % o.step == 0;
  }
  if (o.range) return v >= o.min && v <= o.max && (o.step <= 1 || (v - o.min) % o.step == 0);
  if (!o.items.empty()) return std::find(o.items.begin(), o.items.end(), v) != o.items.end();
  return true;  // a tag the driver offers nothing for takes any value
}

int32_t IsisDevice::Set(int32_t tag, int32_t type, const void* value) {
  if (!loaded_) return kIsisNotLoaded;
  if (!value) return kIsisRefused;
  char line[96];
  if (type == kTypeText) {
    char text[kTextSize] = {};
    lstrcpynA(text, static_cast<const char*>(value), kTextSize);
    std::snprintf(line, sizeof line, "%d %d %s", tag, type, text);
    Note(line);
    const Offer o = OfferFor(tag);
    if (!o.texts.empty() && std::find(o.texts.begin(), o.texts.end(), std::string(text)) == o.texts.end())
      return kIsisRefused;
    if (tag == kPageSize) pageSize_ = text;
    return 0;
  }
  if (type == kTypePair && (tag == kXRes || tag == kYRes)) {
    int32_t pair[2];
    std::memcpy(pair, value, sizeof pair);
    std::snprintf(line, sizeof line, "%d %d %d,%d", tag, type, pair[0], pair[1]);
    Note(line);
    if (pair[1] != 1 || !Accepts(tag, pair[0])) return kIsisRefused;
    values_[tag] = pair[0];
    return 0;
  }
  if (type == kTypePair) {  // a float (gamma)
    float f;
    std::memcpy(&f, value, 4);
    std::snprintf(line, sizeof line, "%d %d %g", tag, type, f);
    Note(line);
    return 0;
  }
  const int32_t v = ReadNumber(type, value);
  std::snprintf(line, sizeof line, "%d %d %d", tag, type, v);
  Note(line);
  if (!Accepts(tag, v)) return kIsisRefused;
  values_[tag] = v;
  return 0;
}

int32_t IsisDevice::Acquire(PageCallbackProc callback, void* buffer) {
  if (!loaded_) return kIsisNotLoaded;
  if (!callback) return kIsisRefused;
  Note("acquire");
  zebsim::PageFormat format;
  format.kind = Value(kSamples) == 3 ? zebsim::PixelKind::Color
                : Value(kBitsPerSample) == 1 ? zebsim::PixelKind::BlackWhite
                                             : zebsim::PixelKind::Gray;
  format.xResolution = std::max(1, Value(kXRes));
  format.yResolution = std::max(1, Value(kYRes));
  format.paper = config_.paper;
  const zebsim::PageGeometry page = zebsim::GeometryOf(format);
  // An extent never set scans the whole page.
  const int width = Value(kWidth) > 0 ? Value(kWidth) : page.width;
  const int length = Value(kLength) > 0 ? Value(kLength) : page.length;
  const zebsim::ScanArea area = zebsim::MakeScanArea(format, Value(kXPos), Value(kYPos), width, length);
  const int32_t feeder = Value(kFeeder);
  const bool useFeeder = feeder == 3 || feeder == 4 || (feeder == 0 && feeder_->PaperPresent());
  return zebsim::RunFeederScan(useFeeder ? *feeder_ : *glass_, area, -1, callback, buffer);
}
