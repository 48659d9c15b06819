// Tags read straight from the image file directories, every offset checked against the buffer.
#include <cstdio>
#include <set>

#include "tiff_codec.h"

namespace imagecore {

namespace {

constexpr uint32_t kMaxRenderedValues = 64;

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : d_(data), n_(size) {}
  bool Ok(uint64_t at, uint64_t len) const { return at <= n_ && len <= n_ - at; }
  uint16_t U16(uint64_t at) const {
    return big_ ? uint16_t((d_[at] << 8) | d_[at + 1]) : uint16_t(d_[at] | (d_[at + 1] << 8));
  }
  uint32_t U32(uint64_t at) const {
    return big_ ? (uint32_t(U16(at)) << 16) | U16(at + 2) : U16(at) | (uint32_t(U16(at + 2)) << 16);
  }
  bool big_ = false;
  const uint8_t* d_;
  size_t n_;
};

unsigned TypeSize(uint16_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: return 4;
    case 5: case 10: case 12: return 8;
  }
  return 0;
}

// The value at index i as a number (rationals as their numerator over denominator text).
void Render(const Reader& r, uint64_t at, uint16_t type, uint32_t i, std::string& out) {
  char buf[48];
  switch (type) {
    case 1: case 7: snprintf(buf, sizeof buf, "%u", r.d_[at + i]); break;
    case 6: snprintf(buf, sizeof buf, "%d", int8_t(r.d_[at + i])); break;
    case 3: snprintf(buf, sizeof buf, "%u", r.U16(at + 2 * i)); break;
    case 8: snprintf(buf, sizeof buf, "%d", int16_t(r.U16(at + 2 * i))); break;
    case 4: snprintf(buf, sizeof buf, "%u", r.U32(at + 4 * i)); break;
    case 9: snprintf(buf, sizeof buf, "%d", int32_t(r.U32(at + 4 * i))); break;
    case 5: snprintf(buf, sizeof buf, "%u/%u", r.U32(at + 8 * i), r.U32(at + 8 * i + 4)); break;
    case 10:
      snprintf(buf, sizeof buf, "%d/%d", int32_t(r.U32(at + 8 * i)), int32_t(r.U32(at + 8 * i + 4)));
      break;
    default: snprintf(buf, sizeof buf, "?"); break;
  }
  if (!out.empty()) out += ", ";
  out += buf;
}

int32_t FirstValue(const Reader& r, uint64_t at, uint16_t type) {
  switch (type) {
    case 1: case 7: return r.d_[at];
    case 6: return int8_t(r.d_[at]);
    case 3: return r.U16(at);
    case 8: return int16_t(r.U16(at));
    case 4: case 9: case 5: case 10: return int32_t(r.U32(at));
  }
  return 0;
}

bool EntryFits(const Reader& r, uint64_t entry) {
  unsigned size = TypeSize(r.U16(entry + 2));
  uint64_t length = uint64_t(size) * r.U32(entry + 4);
  return size == 0 || length <= 4 || r.Ok(r.U32(entry + 8), length);
}

Status ParseEntry(const Reader& r, uint64_t entry, TiffTag& t) {
  t.tag = r.U16(entry);
  t.type = r.U16(entry + 2);
  t.count = r.U32(entry + 4);
  unsigned size = TypeSize(t.type);
  uint64_t length = uint64_t(size) * t.count;
  t.length = length > UINT32_MAX ? UINT32_MAX : uint32_t(length);
  uint64_t at = length <= 4 ? entry + 8 : r.U32(entry + 8);
  if (size == 0 || !r.Ok(at, length)) {
    t.text.clear();
    return kOk;  // an unreadable value is shown as empty rather than failing the page
  }
  if (t.count) t.value = FirstValue(r, at, t.type);
  if (t.type == 2) {
    const char* p = reinterpret_cast<const char*>(r.d_ + at);
    size_t n = 0;
    while (n < length && p[n]) ++n;
    t.text.assign(p, n);
  } else if (size) {
    uint32_t shown = t.count < kMaxRenderedValues ? t.count : kMaxRenderedValues;
    for (uint32_t i = 0; i < shown; ++i) Render(r, at, t.type, i, t.text);
    if (shown < t.count) t.text += ", ...";
  }
  return kOk;
}

}  // namespace

// Walks to the directory of the page; kOk with its offset and entry count.
static Status FindDirectory(const uint8_t* data, size_t size, uint32_t page, Reader& r,
                            uint64_t& at, uint16_t& entries) {
  if (!r.Ok(0, 8)) return kNotThisFormat;
  if (data[0] == 'M' && data[1] == 'M') r.big_ = true;
  else if (!(data[0] == 'I' && data[1] == 'I')) return kNotThisFormat;
  uint16_t magic = r.U16(2);
  if (magic == 43) return kUnsupported;
  if (magic != 42) return kNotThisFormat;
  uint64_t ifd = r.U32(4);
  std::set<uint64_t> seen;
  for (uint32_t i = 0;; ++i) {
    if (ifd == 0 || !r.Ok(ifd, 2) || !seen.insert(ifd).second) return kBadPage;
    uint16_t n = r.U16(ifd);
    if (!r.Ok(ifd + 2, uint64_t(n) * 12 + 4)) return kTruncated;
    if (i == page) {
      at = ifd;
      entries = n;
      return kOk;
    }
    ifd = r.U32(ifd + 2 + 12 * uint64_t(n));
  }
}

Status ReadTiffTags(const uint8_t* data, size_t size, uint32_t page, std::vector<TiffTag>& tags) {
  tags.clear();
  Reader r(data, size);
  uint64_t at = 0;
  uint16_t n = 0;
  Status s = FindDirectory(data, size, page, r, at, n);
  if (s != kOk) return s;
  for (uint16_t k = 0; k < n; ++k) {
    TiffTag t;
    ParseEntry(r, at + 2 + 12 * uint64_t(k), t);
    tags.push_back(std::move(t));
  }
  return kOk;
}

bool TiffDirectoryFits(const uint8_t* data, size_t size, uint32_t page) {
  Reader r(data, size);
  uint64_t at = 0;
  uint16_t n = 0;
  if (FindDirectory(data, size, page, r, at, n) != kOk) return false;
  for (uint16_t k = 0; k < n; ++k)
    if (!EntryFits(r, at + 2 + 12 * uint64_t(k))) return false;
  return true;
}

Status ReadTiffTag(const uint8_t* data, size_t size, uint32_t page, uint16_t tag, TiffTag& out) {
  std::vector<TiffTag> tags;
  Status s = ReadTiffTags(data, size, page, tags);
  if (s != kOk) return s;
  for (TiffTag& t : tags)
    if (t.tag == tag) {
      out = std::move(t);
      return kOk;
    }
  return kBadArgument;
}

}  // namespace imagecore
