#include "page_checks.h"

#include <cstring>
#include <sstream>

namespace {

ReceivedScan* gScan = nullptr;

uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

}  // namespace

void Record(ReceivedScan* scan) { gScan = scan; }

int32_t __stdcall RecordPage(void* data, uint32_t* size, int32_t code) {
  ReceivedScan& s = *gScan;
  if (code == kPageEventInfo) {
    ScanPageInfo info;
    std::memcpy(&info, data, sizeof info);
    s.infos.push_back(info);
    *size = 12345;  // ignored by the library
    return s.infoAnswer;
  }
  if (code != 1) return 0;
  HGLOBAL dib = *static_cast<HGLOBAL*>(data);
  s.dibsUnlocked.push_back((GlobalFlags(dib) & GMEM_LOCKCOUNT) == 0);
  const SIZE_T bytes = GlobalSize(dib);
  const auto* block = static_cast<const uint8_t*>(GlobalLock(dib));
  s.dibs.emplace_back(block, block + bytes);
  GlobalUnlock(dib);
  s.dibsFreed.push_back(GlobalFree(dib) == nullptr);
  if (static_cast<int>(s.dibs.size()) == s.stopAtPage) return s.stopAnswer;
  return 0;
}

int32_t __stdcall RecordBlock(void* data, uint32_t* size, int32_t code) {
  ReceivedScan& s = *gScan;
  if (code == kPageEventInfo) {
    ScanPageInfo info;
    std::memcpy(&info, data, sizeof info);
    s.infos.push_back(info);
    return 0;
  }
  s.blocks.emplace_back(code, *size);
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (code >= 0) s.memoryRows.insert(s.memoryRows.end(), bytes, bytes + *size);
  return 0;
}

std::string CompareDib(const std::vector<uint8_t>& dib, const ExpectedPage& page) {
  std::ostringstream out;
  const zebsim::PageGeometry g = zebsim::GeometryOf(page.format);
  if (dib.size() < 40) return "no header";
  const uint8_t* h = dib.data();
  const int32_t width = int32_t(Get32(h + 4)), height = int32_t(Get32(h + 8));
  const uint16_t bits = uint16_t(h[14] | (h[15] << 8));
  const uint32_t clrUsed = Get32(h + 32);
  const uint32_t stride = (uint32_t(g.width) * g.bitsPerPixel + 31) / 32 * 4;
  const uint32_t colours = g.bitsPerPixel == 24 ? 0 : 1u << g.bitsPerPixel;
  const int32_t ppmX = int32_t(page.format.xResolution * 39.37 + 0.5);
  const int32_t ppmY = int32_t(page.format.yResolution * 39.37 + 0.5);
  if (Get32(h) != 40) out << "biSize " << Get32(h) << "; ";
  if (width != g.width || height != g.length) out << "size " << width << "x" << height << "; ";
  if (bits != g.bitsPerPixel) out << "bits " << bits << "; ";
  if (Get32(h + 16) != 0) out << "compression; ";
  if (Get32(h + 20) != stride * g.length) out << "biSizeImage " << Get32(h + 20) << "; ";
  if (int32_t(Get32(h + 24)) != ppmX || int32_t(Get32(h + 28)) != ppmY)
    out << "pixels per metre " << Get32(h + 24) << "/" << Get32(h + 28) << "; ";
  if (clrUsed != colours || Get32(h + 36) != colours) out << "colours " << clrUsed << "; ";
  if (!out.str().empty()) return out.str();
  const size_t offset = 40 + 4 * colours;
  if (dib.size() < offset + size_t(stride) * g.length) return "block too small";
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* e = h + 40 + 4 * i;
    uint8_t want = g.bitsPerPixel == 1 ? (i ? 255 : 0) : uint8_t(i);
    if (e[0] != want || e[1] != want || e[2] != want || e[3] != 0) return "palette entry " + std::to_string(i);
  }
  const std::vector<uint8_t> rows = zebsim::RenderPage(page.format, page.pageNumber);
  for (int r = 0; r < g.length; ++r) {
    const uint8_t* want = rows.data() + size_t(r) * g.bytesPerRow;
    const uint8_t* got = dib.data() + offset + size_t(g.length - 1 - r) * stride;
    for (int x = 0; x < g.width; ++x) {
      bool same;
      if (g.bitsPerPixel == 1)
        same = ((want[x / 8] ^ got[x / 8]) & (0x80 >> (x % 8))) == 0;
      else if (g.bitsPerPixel == 8)
        same = want[x] == got[x];
      else
        same = want[3 * x] == got[3 * x + 2] && want[3 * x + 1] == got[3 * x + 1] && want[3 * x + 2] == got[3 * x];
      if (!same) {
        out << "pixel " << x << "," << r << " differs";
        return out.str();
      }
    }
    for (uint32_t b = uint32_t(g.bytesPerRow); b < stride; ++b)
      if (got[b] != 0xFF) return "row padding of row " + std::to_string(r);
  }
  return "";
}

int DibPageNumber(const std::vector<uint8_t>& dib) {
  const uint8_t* h = dib.data();
  zebsim::ImageView v;
  v.width = int32_t(Get32(h + 4));
  v.length = int32_t(Get32(h + 8));
  v.bitsPerPixel = h[14];
  v.stride = int((uint32_t(v.width) * v.bitsPerPixel + 31) / 32 * 4);
  v.data = h + 40 + 4 * Get32(h + 32);
  v.bottomUp = true;
  v.bgr = true;
  v.xResolution = int(Get32(h + 24) / 39.37 + 0.5);
  v.yResolution = int(Get32(h + 28) / 39.37 + 0.5);
  return zebsim::ReadPageNumber(v);
}
