// ZebBlankPage: whether a bilevel page, given as a DIB or as an image file, is blank.
#include <cstring>

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
  // The reads fill one information record, which starts with bytes 42 and 43 at 0 and 1; a
  // plug-in that leaves the 16-bit field at byte 40 non-zero says its page is not for the test.
  ScanPageInfo info{};
  auto* bytes = reinterpret_cast<uint8_t*>(&info);
  bytes[42] = 0;
  bytes[43] = 1;
  HGLOBAL page = nullptr;
  if (ReadLastPage(plugin, name, &page, &info) != LastPageResult::kRead) return kZebOk;
  int16_t noTest = 0;
  std::memcpy(&noTest, bytes + 40, sizeof noTest);
  const int32_t rc = noTest != 0 ? kZebOk : CheckBlankPage(page);
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
