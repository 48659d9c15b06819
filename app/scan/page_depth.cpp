#include "page_depth.h"

#include "convert.h"
#include "dib_layout.h"

namespace tarnwick {

DepthStep DepthStepFor(Edition edition, SaveBranch branch, int bitCount) {
  if (edition != Edition::kSecond || (branch != SaveBranch::PdfPage && branch != SaveBranch::Queue))
    return DepthStep::AsIs;
  if (PdfOrQueueDepth(bitCount)) return DepthStep::AsIs;
  if (bitCount == 4 || bitCount == 16 || bitCount == 32) return DepthStep::Convert;
  return DepthStep::Refuse;
}

bool ConvertPageDepth(const uint8_t* block, size_t blockSize, std::vector<uint8_t>* out) {
  imagecore::Image page;
  if (imagecore::DibToImage(block, blockSize, page) != imagecore::kOk) return false;
  if (page.bits != 4 && page.bits != 16 && page.bits != 32) return false;
  imagecore::Image converted;
  const imagecore::Status s = page.bits == 4 && imagecore::IsGrayPalette(page.palette)
                                  ? imagecore::ToGray8(page, converted)
                                  : imagecore::IncreaseDepth(page, 24, converted);
  if (s != imagecore::kOk) return false;
  out->assign(imagecore::DibBlockSize(converted), 0);
  imagecore::WriteDib(converted, out->data());
  return true;
}

std::string RefusedDepthText(int bitCount) {
  return "A scanned page of " + std::to_string(bitCount) +
         " bits per pixel cannot be saved in this format; such pages are left out.";
}

}  // namespace tarnwick
