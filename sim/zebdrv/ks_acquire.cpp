#include "ks_acquire.h"

#include <algorithm>
#include <cmath>

#include "ks_capabilities.h"
#include "page_delivery.h"

namespace {

zebsim::ScanArea AreaOf(const KSDevice& d) {
  zebsim::PageFormat format;
  int kind = static_cast<int>(d.Number(kTagPixelType));
  format.kind = kind == 0 ? zebsim::PixelKind::BlackWhite
                          : kind == 1 ? zebsim::PixelKind::Gray : zebsim::PixelKind::Color;
  format.xResolution = std::max(1, static_cast<int>(d.Number(kTagXResolution)));
  format.yResolution = std::max(1, static_cast<int>(d.Number(kTagYResolution)));
  format.paper = d.Config().paper;
  if (d.Config().plate.on)
    return zebsim::MakePlateScanArea(format, d.Config().plate, d.Number(kTagBackground) != 0);
  int units = d.Units();
  auto toPx = [&](int32_t tag, int res) {
    return static_cast<int>(std::lround(UnitToInches(d.Number(tag), units) * res));
  };
  return zebsim::MakeScanArea(format, toPx(kTagXPosition, format.xResolution),
                              toPx(kTagYPosition, format.yResolution),
                              toPx(kTagImageWidth, format.xResolution),
                              toPx(kTagImageLength, format.yResolution));
}

}  // namespace

int32_t RunScan(KSDevice& device, PageCallbackProc callback, void* buffer) {
  if (!device.Loaded()) return kKSNotLoaded;
  if (!callback) return kKSRefused;
  int scanType = static_cast<int>(device.Number(kTagScanType));
  bool useFeeder = scanType == 1 || (scanType == 0 && device.Feeder().PaperPresent());
  zebsim::SimFeeder& source = useFeeder ? device.Feeder() : device.Glass();
  // XFERCOUNT: the pages a feeder scan takes at most; -1 (or 0) takes all.
  const int limit = useFeeder ? static_cast<int>(device.Number(kTagXferCount)) : -1;
  return zebsim::RunFeederScan(source, AreaOf(device), limit, callback, buffer);
}
