#include "scan_tags.h"

#include <cstring>

#include "scan_library.h"

namespace tarnwick {

namespace {

struct AppTag {
  uint16_t tag;
  ScanTagKind kind;
};

constexpr AppTag kAppTags[] = {
    {scan_tag::kDriverName, ScanTagKind::Text},      {scan_tag::kProductName, ScanTagKind::Text},
    {scan_tag::kIndicators, ScanTagKind::Int16},     {scan_tag::kMinBuffer, ScanTagKind::Int32},
    {scan_tag::kScanType, ScanTagKind::Int16},       {scan_tag::kFeederType, ScanTagKind::Int16},
    {scan_tag::kXResolution, ScanTagKind::Int32},    {scan_tag::kBrightness, ScanTagKind::Int16},
    {scan_tag::kContrast, ScanTagKind::Int16},       {scan_tag::kFilter, ScanTagKind::Int16},
    {scan_tag::kDither, ScanTagKind::Text},          {scan_tag::kInvert, ScanTagKind::Int16},
    {scan_tag::kColorMatch, ScanTagKind::Int16},     {scan_tag::kAutoCrop, ScanTagKind::Int16},
    {scan_tag::kPhysicalHeight, ScanTagKind::Float}, {scan_tag::kPhysicalWidth, ScanTagKind::Float},
    {scan_tag::kPaperPresent, ScanTagKind::Int16},   {scan_tag::kUnits, ScanTagKind::Int16},
};

constexpr int kTextBytes = 33;
// Room beyond any tag's size, so that a library writing more than it should still writes into
// the buffer.
constexpr int kBufferBytes = 260;

struct Answer {
  alignas(8) uint8_t bytes[kBufferBytes] = {};
};

int32_t NumberOf(const Answer& a, ScanTagKind kind) {
  if (kind == ScanTagKind::Int16) {
    int16_t v;
    std::memcpy(&v, a.bytes, sizeof v);
    return v;
  }
  int32_t v;
  std::memcpy(&v, a.bytes, sizeof v);
  return v;
}

bool IsNumber(ScanTagKind kind) { return kind == ScanTagKind::Int16 || kind == ScanTagKind::Int32; }

}  // namespace

ScanTagKind KindOfScanTag(uint16_t tag) {
  for (const AppTag& t : kAppTags)
    if (t.tag == tag) return t.kind;
  return ScanTagKind::Unknown;
}

int ScanTagBytes(uint16_t tag) {
  switch (KindOfScanTag(tag)) {
    case ScanTagKind::Int16: return 2;
    case ScanTagKind::Int32:
    case ScanTagKind::Float: return 4;
    case ScanTagKind::Text: return kTextBytes;
    case ScanTagKind::Unknown: break;
  }
  return 0;
}

int32_t GetScanTagNumber(ScanLibrary& library, uint16_t tag, int32_t* out) {
  const ScanTagKind kind = KindOfScanTag(tag);
  if (!IsNumber(kind)) return kScanTagWrongKind;
  Answer a;
  const int32_t status = library.GetValue(tag, a.bytes);
  if (status == 0) *out = NumberOf(a, kind);
  return status;
}

int32_t GetScanTagChoiceNumber(ScanLibrary& library, uint16_t tag, int32_t index, int32_t* out) {
  const ScanTagKind kind = KindOfScanTag(tag);
  if (!IsNumber(kind)) return kScanTagWrongKind;
  Answer a;
  const int32_t status = library.GetTagChoice(tag, index, a.bytes);
  if (status == 0) *out = NumberOf(a, kind);
  return status;
}

int32_t GetScanTagFloat(ScanLibrary& library, uint16_t tag, float* out) {
  if (KindOfScanTag(tag) != ScanTagKind::Float) return kScanTagWrongKind;
  Answer a;
  const int32_t status = library.GetValue(tag, a.bytes);
  if (status == 0) std::memcpy(out, a.bytes, sizeof *out);
  return status;
}

int32_t GetScanTagText(ScanLibrary& library, uint16_t tag, std::string* out) {
  if (KindOfScanTag(tag) != ScanTagKind::Text) return kScanTagWrongKind;
  Answer a;
  const int32_t status = library.GetValue(tag, a.bytes);
  if (status == 0) {
    const void* end = std::memchr(a.bytes, 0, kTextBytes);
    const size_t length = end ? static_cast<const uint8_t*>(end) - a.bytes : kTextBytes - 1;
    out->assign(reinterpret_cast<const char*>(a.bytes), length);
  }
  return status;
}

int32_t SetScanTagNumber(ScanLibrary& library, uint16_t tag, int32_t value) {
  const ScanTagKind kind = KindOfScanTag(tag);
  if (!IsNumber(kind)) return kScanTagWrongKind;
  if (kind == ScanTagKind::Int16) {
    int16_t v = static_cast<int16_t>(value);
    return library.SetValue(tag, &v);
  }
  int32_t v = value;
  return library.SetValue(tag, &v);
}

int32_t SetScanTagText(ScanLibrary& library, uint16_t tag, const std::string& text) {
  if (KindOfScanTag(tag) != ScanTagKind::Text) return kScanTagWrongKind;
  char buffer[kTextBytes] = {};
  std::memcpy(buffer, text.data(), text.size() < kTextBytes - 1 ? text.size() : kTextBytes - 1);
  return library.SetValue(tag, buffer);
}

}  // namespace tarnwick
