#include "ks_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ks_capabilities.h"
#include "plate_page.h"

namespace {

void CopyText(char* dest, size_t room, const std::string& text) {
  size_t n = std::min(text.size(), room - 1);
  std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
}

}  // namespace

KSDevice& Device() {
  static KSDevice device;
  return device;
}

int32_t KSDevice::Load(const zebsim::SimConfig& config) {
  if (loaded_) return 0;  // already running: settings, feeder and chosen source stay
  if (config.loadResult != 0) return config.loadResult;
  config_ = config;
  zebsim::SimConfig feeder = config, glass = config;
  feeder.flatbed = false;
  glass.flatbed = true;
  glass.fault = zebsim::Fault::None;
  feeder_ = std::make_unique<zebsim::SimFeeder>(feeder);
  glass_ = std::make_unique<zebsim::SimFeeder>(glass);
  values_.clear();
  for (const KSCapability& c : Capabilities()) values_[c.tag] = c.initial;
  if (config.flatbed) values_[kTagScanType].number = 2;
  values_[kTagProductName].text = config.productName;
  const zebsim::PaperSize& paper = zebsim::PaperSizeOf(config.paper);
  values_[kTagImageWidth].number = paper.widthInch * 300;
  values_[kTagImageLength].number = paper.lengthInch * 300;
  nextSource_ = 0;
  selected_ = 0;
  loaded_ = true;
  return 0;
}

void KSDevice::Free() {
  loaded_ = false;
  feeder_.reset();
  glass_.reset();
}

int32_t KSDevice::NextSource(int32_t message, KSSourceRecord* record) {
  if (!loaded_ || !record) return kKSNotLoaded;
  if (message == kKSGetFirst) nextSource_ = 0;
  else if (message != kKSGetNext) return kKSRefused;
  if (nextSource_ >= static_cast<int32_t>(config_.sources.size())) return kKSNoMoreSources;
  const zebsim::SimSource& s = config_.sources[nextSource_];
  std::memset(record, 0, sizeof(*record));
  CopyText(record->Version, sizeof(record->Version), "2.3.0");
  CopyText(record->DriverName, sizeof(record->DriverName), "ZebDrv ");
  // The first source sits on a SCSI adapter, the others on USB.
  bool scsi = nextSource_ == 0;
  CopyText(record->InterfaceName, sizeof(record->InterfaceName), scsi ? "ksaspi32.dll" : "ksusb32.dll");
  CopyText(record->ListName, sizeof(record->ListName), s.listName);
  CopyText(record->Manufacturer, sizeof(record->Manufacturer), s.manufacturer);
  CopyText(record->AdapterName, sizeof(record->AdapterName), scsi ? "Simulated SCSI Adapter" : "");
  record->ScsiId = scsi ? 3 : 0;
  ++nextSource_;
  return 0;
}

int32_t KSDevice::SelectSource(int32_t index) {
  if (!loaded_) return kKSNotLoaded;
  if (index < 0 || index >= static_cast<int32_t>(config_.sources.size())) return kKSRefused;
  selected_ = index;
  return 0;
}

double KSDevice::Number(int32_t tag) const {
  auto it = values_.find(tag & 0xFFFF);
  return it == values_.end() ? 0 : it->second.number;
}

double KSDevice::PhysicalMax(int32_t tag) const {
  bool across = tag == kTagXPosition || tag == kTagImageWidth;
  const KSCapability* c = FindCapability(across ? kTagPhysicalWidth : kTagPhysicalHeight);
  return InchesToUnit(*std::max_element(c->values.begin(), c->values.end()), Units());
}

int32_t KSDevice::Query(int32_t tag, int32_t type, uint32_t* count,
                        std::vector<uint8_t>* data) const {
  if (!loaded_) return kKSNotLoaded;
  const KSCapability* c = FindCapability(tag);
  if (!c) return kKSUnknownTag;
  size_t size = ValueSize(type);
  auto put = [&](const KSValue& v) {
    data->resize(data->size() + size);
    WriteValue(type, v, data->data() + data->size() - size);
  };
  data->clear();
  switch (c->form) {
    case KSCapability::kList:
      *count = static_cast<uint32_t>(c->values.size());
      for (double v : c->values) put(KSValue{v, {}});
      break;
    case KSCapability::kRange:
      *count = 0;
      for (double v : c->values) put(KSValue{v, {}});
      break;
    case KSCapability::kTexts:
      if (c->tag == kTagProductName) {  // the configured model
        *count = 1;
        put(KSValue{0, config_.productName});
        break;
      }
      *count = static_cast<uint32_t>(c->texts.size());
      for (const char* t : c->texts) put(KSValue{0, t});
      break;
    case KSCapability::kPhysical:
      *count = static_cast<uint32_t>(c->values.size());
      for (double v : c->values) put(KSValue{InchesToUnit(v, Units()), {}});
      break;
    case KSCapability::kArea:
      *count = 0;
      put(KSValue{0, {}});
      put(KSValue{PhysicalMax(c->tag), {}});
      put(KSValue{Units() == 2 ? 1.0 : 0.01, {}});
      break;
  }
  return 0;
}

bool KSDevice::Accepts(int32_t tag, const KSValue& v) const {
  const KSCapability* c = FindCapability(tag);
  if (!c) return true;  // a value the scanner does not use is kept as it is
  // SCANTYPE 0 is the automatic choice the caller adds to the listed ones: the feeder when it
  // holds paper, else the glass.
  if (tag == kTagScanType && std::fabs(v.number) < 1e-4) return true;
  switch (c->form) {
    case KSCapability::kList:
      return std::any_of(c->values.begin(), c->values.end(),
                         [&](double x) { return std::fabs(x - v.number) < 1e-4; });
    case KSCapability::kRange:
      return v.number >= c->values[0] - 1e-4 && v.number <= c->values[1] + 1e-4;
    case KSCapability::kTexts:
      if (c->tag == kTagProductName) return v.text == config_.productName;
      return std::any_of(c->texts.begin(), c->texts.end(),
                         [&](const char* t) { return v.text == t; });
    case KSCapability::kPhysical:
      return false;  // the size of the glass and the feeder is the device's
    case KSCapability::kArea:
      return v.number >= -1e-4 && v.number <= PhysicalMax(tag) + 1e-4;
  }
  return false;
}

int32_t KSDevice::Get(int32_t tag, int32_t type, void* out) const {
  if (!loaded_) return kKSNotLoaded;
  if (!out) return kKSRefused;
  tag &= 0xFFFF;
  if (tag == kTagPaperPresent) {
    int16_t present = feeder_->PaperPresent() ? 1 : 0;
    std::memcpy(out, &present, 2);
    return 0;
  }
  if (tag == kTagBackgroundLines) {
    // Rows of the bare backing plate across the scan width, in the current pixel type.
    int lines = static_cast<int>(Number(kTagBackgroundLines));
    int width = static_cast<int>(std::lround(
        UnitToInches(Number(kTagImageWidth), Units()) * Number(kTagXResolution)));
    int kind = static_cast<int>(Number(kTagPixelType));
    if (config_.plate.on) {
      zebsim::PageFormat f;
      f.kind = static_cast<zebsim::PixelKind>(std::clamp(kind, 0, 2));
      f.xResolution = std::max(1, static_cast<int>(Number(kTagXResolution)));
      f.yResolution = std::max(1, static_cast<int>(Number(kTagYResolution)));
      f.paper = config_.paper;
      width = zebsim::PlateFrameGeometry(f, config_.plate).width;
    }
    int bytes = kind == 2 ? width * 3 : kind == 1 ? width : (width + 7) / 8;
    uint8_t level = Number(kTagBackground) != 0 ? zebsim::kBlackPlateLevel : zebsim::kWhitePlateLevel;
    if (kind == 0) level = Number(kTagBackground) != 0 ? 0x00 : 0xFF;
    std::memset(out, level, static_cast<size_t>(std::max(0, lines * bytes)));
    return 0;
  }
  auto it = values_.find(tag);
  if (it == values_.end()) return kKSUnknownTag;
  WriteValue(type, it->second, out);
  return 0;
}

int32_t KSDevice::Set(int32_t tag, int32_t type, const void* in) {
  if (!loaded_) return kKSNotLoaded;
  if (!in) return kKSRefused;
  tag &= 0xFFFF;
  KSValue v = ReadValue(type, in);
  if (!Accepts(tag, v)) return kKSRefused;
  values_[tag] = v;
  return 0;
}
