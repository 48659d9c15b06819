// ZebBlankPage: whether a bilevel page, given as a DIB or as an image file, is blank.
#include "blank_page_check.h"
#include "debug_log.h"
#include "page_source.h"
#include "pavlot.h"
#include "service_tags.h"
#include "status_codes.h"

namespace {

constexpr int16_t kSourceDib = 1;
constexpr int16_t kSourceFile = 2;

// Reads the DIB only; the caller's rows stay as they are.
int32_t CheckBlankPage(HGLOBAL dib) {
  LogIn("CheckBlankPage");
  int32_t rc = kZebNoMemory;
  LockedBlock block(dib);
  if (block.ok()) {
    pixels::BlankPageFigures figures;
    rc = pixels::CheckBlankPageBits(block.data(), block.size(), CurrentBlankHold(), &figures);
    LogDetail("CheckBlankPage", "coded ", int32_t(figures.codedBytes));
    LogDetail("CheckBlankPage", "threshold ", int32_t(figures.threshold));
  }
  LogOut("CheckBlankPage", rc);
  return rc;
}

int32_t BlankPageOfFile(const char* name) {
  const int32_t plugin = ChoosePluginByExtensionPrefix(name);
  if (plugin == kNoPlugin) return kZebCancelled;  // -4: no plug-in serves the extension
  HGLOBAL page = nullptr;
  if (ReadLastPage(plugin, name, &page) != LastPageResult::kRead) return kZebOk;
  const int32_t rc = CheckBlankPage(page);
  FreePageBlock(page);
  return rc;
}

}  // namespace

extern "C" int32_t __stdcall ZebBlankPage(const void* source, const int16_t* kind) {
  LogIn("ZebBlankPage");
  int32_t rc = kZebCancelled;
  if (source && kind && *kind == kSourceDib) {
    rc = CheckBlankPage(*static_cast<const HGLOBAL*>(source));
  } else if (source && kind && *kind == kSourceFile) {
    rc = BlankPageOfFile(static_cast<const char*>(source));
  }
  LogOut("ZebBlankPage", rc);
  return rc;
}
