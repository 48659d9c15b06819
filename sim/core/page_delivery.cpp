#include "page_delivery.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "plate_page.h"

namespace zebsim {

namespace {

void CutRow(const ScanArea& a, const uint8_t* full, uint8_t* out) {
  if (a.bitsPerPixel == 1) {
    // A byte at a time, shifted when the area starts inside a byte.
    const uint8_t* src = full + a.left / 8;
    const int shift = a.left % 8, available = a.page.bytesPerRow - a.left / 8;
    for (int i = 0; i < a.rowBytes; ++i) {
      const unsigned next = i + 1 < available ? src[i + 1] : 0;
      out[i] = shift ? uint8_t(src[i] << shift | next >> (8 - shift)) : src[i];
    }
    // Bits past the width read as white, as the page around the area.
    const int tail = a.rowBytes * 8 - a.width;
    if (tail > 0) out[a.rowBytes - 1] |= uint8_t((1u << tail) - 1);
  } else {
    int bytes = a.bitsPerPixel / 8;
    std::memcpy(out, full + size_t(a.left) * bytes, size_t(a.width) * bytes);
  }
}

ScanPageInfo InfoOf(const ScanArea& a) {
  ScanPageInfo info{};
  info.XResolution = a.format.xResolution;
  info.YResolution = a.format.yResolution;
  info.ImageWidth = a.width;
  info.ImageLength = a.length;
  info.BitsPerPixel = a.bitsPerPixel;
  info.Preferred = a.rowBytes * 32;
  bool colour = a.format.kind == PixelKind::Color;
  info.SamplesPerPixel = colour ? 3 : 1;
  for (int i = 0; i < info.SamplesPerPixel; ++i) info.BitsPerSample[i] = colour ? 8 : a.bitsPerPixel;
  info.PixelType = static_cast<int16_t>(a.format.kind);
  info.Compression = 0;
  return info;
}

// Delivers one page (or its first half, when a fault strikes in the middle). Answers 0 when the
// page went out whole, else the callback's stop or the fault's code.
int32_t DeliverPage(const ScanArea& a, const FeedResult& r, PageCallbackProc cb, uint8_t* buffer,
                    std::vector<uint8_t>& own, bool* delivered) {
  *delivered = false;
  ScanPageInfo info = InfoOf(a);
  uint32_t block = static_cast<uint32_t>(info.Preferred);
  // A caller that cannot take the page (no memory for it, a file it cannot create) says so here.
  int32_t announced = cb(&info, &block, kPageEventInfo);
  if (announced != 0) return announced;
  if (block == 0) return kDeliveryNoBlock;
  const uint32_t rowBytes = static_cast<uint32_t>(a.rowBytes);
  const uint32_t rowsPerBlock = block / rowBytes;
  const uint32_t blockBytes = rowsPerBlock > 0 ? rowsPerBlock * rowBytes : block;
  if (!buffer) {
    own.resize(blockBytes);
    buffer = own.data();
  }
  bool fault = r.kind == FeedResult::kFault;
  int rows = fault ? a.length / 2 : a.length;
  std::vector<uint8_t> full(a.page.bytesPerRow), row(rowBytes);
  std::unique_ptr<PlatePage> plate;
  if (a.plate) plate = std::make_unique<PlatePage>(a.format, r.pageNumber, a.plateSetup, a.blackPlate);
  const uint64_t total = uint64_t(rows) * rowBytes;
  uint64_t sent = 0;
  int nextRow = 0;
  uint32_t rowUsed = rowBytes;  // bytes of `row` already sent
  while (sent < total) {
    uint32_t bytes = 0;
    while (bytes < blockBytes && sent + bytes < total) {
      if (rowUsed == rowBytes) {
        if (r.blank) {
          std::memset(row.data(), 0xFF, rowBytes);  // paper in every pixel type
          ++nextRow;
        } else if (plate) {
          plate->Row(nextRow++, row.data());
        } else {
          RenderRow(a.format, r.pageNumber, a.top + nextRow++, full.data());
          CutRow(a, full.data(), row.data());
        }
        rowUsed = 0;
      }
      const uint32_t n = std::min(blockBytes - bytes, rowBytes - rowUsed);
      std::memcpy(buffer + bytes, row.data() + rowUsed, n);
      rowUsed += n;
      bytes += n;
    }
    sent += bytes;
    bool last = !fault && sent == total;
    int32_t answer = cb(buffer, &bytes, last ? kPageBlockLast : kPageBlockMore);
    if (last) *delivered = true;  // the caller has the whole page, whatever it answers
    if (answer != 0) return answer;
  }
  if (fault) {
    int32_t code = FaultCode(r.fault);
    uint32_t none = 0;
    cb(buffer, &none, code);
    return code;
  }
  return 0;
}

}  // namespace

ScanArea MakeScanArea(const PageFormat& format, int left, int top, int width, int length) {
  ScanArea a;
  a.format = format;
  a.page = GeometryOf(format);
  a.left = std::clamp(left, 0, a.page.width - 1);
  a.top = std::clamp(top, 0, a.page.length - 1);
  a.width = std::clamp(width, 1, a.page.width - a.left);
  a.length = std::clamp(length, 1, a.page.length - a.top);
  a.bitsPerPixel = a.page.bitsPerPixel;
  a.rowBytes = (a.width * a.bitsPerPixel + 7) / 8;
  return a;
}

ScanArea MakePlateScanArea(const PageFormat& format, const PlateSetup& plate, bool blackPlate) {
  ScanArea a;
  a.format = format;
  a.plate = true;
  a.blackPlate = blackPlate;
  a.plateSetup = plate;
  a.page = PlateFrameGeometry(format, plate);
  a.left = a.top = 0;
  a.width = a.page.width;
  a.length = a.page.length;
  a.bitsPerPixel = a.page.bitsPerPixel;
  a.rowBytes = a.page.bytesPerRow;
  return a;
}

int32_t RunFeederScan(SimFeeder& source, const ScanArea& area, int limit, PageCallbackProc callback,
                      void* buffer) {
  std::vector<uint8_t> own;
  int pages = 0;
  source.BeginScan();
  for (;;) {
    if (limit > 0 && pages >= limit) return 0;
    FeedResult r = source.NextPage();
    if (r.kind == FeedResult::kEnd) return 0;
    if (r.kind == FeedResult::kFault && !r.midPage) return FaultCode(r.fault);
    bool delivered = false;
    int32_t rc = DeliverPage(area, r, callback, static_cast<uint8_t*>(buffer), own, &delivered);
    if (delivered) {
      source.PageDone();
      ++pages;
    }
    if (rc != 0) return rc;
  }
}

}  // namespace zebsim
