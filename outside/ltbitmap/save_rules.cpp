#include "save_rules.h"

#include <utility>

#include "convert.h"
#include "lt_bitmap.h"
#include "tiff_codec.h"

namespace ltbitmap {

using namespace imagecore;

Status PlanSave(int32_t format, SavePlan& plan) {
  plan = SavePlan{};
  switch (format) {
    case kLtFileTiff: plan.compression = kTiffNone; return kOk;
    case kLtFileTiffCcitt: plan.compression = kTiffCcittRle; return kOk;
    case kLtFileTiffG3: plan.compression = kTiffG3; return kOk;
    case kLtFileTiffG4: plan.compression = kTiffG4; return kOk;
    case kLtFileJpeg: plan.kind = SaveKind::kJpeg; plan.compression = 0; return kOk;
    default: return kUnsupported;
  }
}

static bool IsFax(uint16_t c) { return c == kTiffCcittRle || c == kTiffG3 || c == kTiffG4; }

Status PrepareForSave(Image&& in, int32_t askedBits, SavePlan& plan, Image& out) {
  if (askedBits != 0 && askedBits != 1 && askedBits != 4 && askedBits != 8 && askedBits != 24)
    return kBadArgument;
  if (plan.kind == SaveKind::kJpeg) {
    bool gray = askedBits == 1 || askedBits == 4 || askedBits == 8 ||
                (askedBits == 0 && IsGrayImage(in));
    if (gray) return ToGray8(in, out);
    if (in.bits == 24) { out = std::move(in); return kOk; }
    return IncreaseDepth(in, 24, out);
  }
  if (IsFax(plan.compression)) {
    if (in.bits == 1) { out = std::move(in); return kOk; }
    plan.compression = kTiffNone;
    // A request for one bit is not a reason to throw the gray or colour away.
    return ConvertDepth(in, askedBits == 1 ? 0 : uint16_t(askedBits), false, out);
  }
  return ConvertDepth(in, uint16_t(askedBits), false, out);
}

int JpegQualityFromFactor(int32_t factor) {
  int q = 100 - (factor < 0 ? 0 : factor > 99 ? 99 : factor);
  return q < 1 ? 1 : q;
}

}  // namespace ltbitmap
