// ZebScale2Gray: the last page of a bilevel image file as an 8-bit gray image, saved through
// the plug-in for the target's name.
#include "debug_log.h"
#include "page_images.h"
#include "page_source.h"
#include "pavlot.h"
#include "plugin_choice.h"
#include "save_options.h"
#include "status_codes.h"

namespace {

constexpr int32_t kSourceDib = 1;
constexpr int32_t kSourceFile = 2;

// Answers the save's result, 0 without a target (nothing is kept), -29 for a page that is not
// bilevel.
int32_t Scale2Gray(HGLOBAL page, const char* target) {
  LogIn("Scale2Gray");
  std::vector<uint8_t> gray;
  {
    LockedBlock block(page);
    pixels::DibView dib;
    if (block.ok() && pixels::ReadDibView(block.data(), block.size(), &dib) == pixels::DibCheck::kOk)
      gray = pixels::GrayDibOfBilevel(dib);
  }
  int32_t rc = kZebNotOneBit;
  if (!gray.empty()) {
    rc = kZebOk;
    if (target) {
      HGLOBAL block = BlockFromBytes(gray);
      rc = block ? SaveDibThrough(ChooseForSave(target), block, target, CurrentSaveOptions())
                 : kZebNoMemory;
      FreePageBlock(block);
    }
  }
  LogOut("Scale2Gray", rc);
  return rc;
}

}  // namespace

extern "C" int32_t __stdcall ZebScale2Gray(const char* name, int32_t kind, int32_t /*flags*/,
                                           const char* target) {
  LogIn("ZebScale2Gray");
  int32_t rc = kZebCancelled;
  if (kind == kSourceDib) {
    rc = kZebNotBound;
  } else if (kind == kSourceFile && name) {
    const int32_t reader = ChoosePluginByExtensionPrefix(name);
    HGLOBAL page = nullptr;
    if (reader != kNoPlugin) {
      rc = kZebOk;
      if (ReadLastPage(reader, name, &page) == LastPageResult::kRead) rc = Scale2Gray(page, target);
    }
    FreePageBlock(page);
  }
  LogOut("ZebScale2Gray", rc);
  return rc;
}
