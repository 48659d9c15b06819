// ZebAutoImage: whether a colour page is really a text page, and when it is, its bilevel image
// saved through a file-format plug-in. The caller's page is only read.
#include <algorithm>
#include <cstdio>

#include "debug_log.h"
#include "page_images.h"
#include "page_source.h"
#include "pavlot.h"
#include "plugin_codes.h"
#include "save_options.h"
#include "service_tags.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

constexpr int32_t kSourceDib = 1;
constexpr int32_t kSourceFile = 2;

int32_t SaveTextPage(const pixels::DibView& dib, int32_t plugin, const char* target,
                     int32_t compression) {
  HGLOBAL bilevel = BlockFromBytes(pixels::TextPageDib(dib));
  if (!bilevel) return kZebNoMemory;
  const FileSaveOptions options = SaveOptionsFor(compression, CurrentInt(kRowCompressQuality));
  const int32_t rc = SaveDibThrough(plugin, bilevel, target, options);
  FreePageBlock(bilevel);
  return rc;
}

// The decision on one page; with a target a text page is saved. Answers the save's result, 0
// when nothing was saved, -29 for a page that is not colour.
int32_t AutoMode(HGLOBAL page, const char* target, int32_t plugin, int32_t compression) {
  LogIn("AutoMode");
  int32_t rc = kZebNotOneBit;
  bool text = false;
  double percent = 0;
  {
    LockedBlock block(page);
    pixels::DibView dib;
    if (!block.ok()) {
      rc = kZebNoMemory;
    } else if (pixels::ReadDibView(block.data(), block.size(), &dib) == pixels::DibCheck::kOk &&
               dib.bitCount >= 24) {
      const uint32_t hold = CurrentAutoTypeHold();
      const uint64_t coloured = pixels::CountColouredPixels(dib, hold);
      text = pixels::IsTextPage(coloured, dib);
      percent = pixels::ColouredPercent(coloured, dib);
      rc = text && target ? SaveTextPage(dib, plugin, target, compression) : kZebOk;
      LogDetail("AutoMode", "total pixel ", int32_t(std::min<uint64_t>(uint64_t(dib.width) * dib.rows, INT32_MAX)));
      LogDetail("AutoMode", "Zeb_AUTOTYPEHOLD ", int32_t(hold));
      LogDetail("AutoMode", "over pixel ", int32_t(std::min<uint64_t>(coloured, INT32_MAX)));
    }
  }
  if (rc != kZebNotOneBit && rc != kZebNoMemory) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "%5.3f", percent);
    LogDetailText("AutoMode", "", caption);
    MessageBoxA(nullptr, text ? "text image" : "not change", caption, MB_OK);
  }
  LogOut("AutoMode", rc);
  return rc;
}

int32_t CompressionFor(int32_t plugin, const int16_t* asked) {
  const int32_t want = asked ? *asked : 0;
  const PluginEntry* p = PluginAt(plugin);
  if (!p) return 0;
  const std::vector<int32_t> modes = CompressionModesOf(*p);
  return std::find(modes.begin(), modes.end(), want) != modes.end() ? want : 0;
}

}  // namespace

extern "C" int32_t __stdcall ZebAutoImage(const void* source, int32_t kind, const char* target,
                                          const int16_t* compression) {
  LogIn("ZebAutoImage");
  int32_t rc = kZebCancelled;
  HGLOBAL page = nullptr;
  HGLOBAL fromFile = nullptr;
  if (source && kind == kSourceDib) {
    page = *static_cast<const HGLOBAL*>(source);
  } else if (source && kind == kSourceFile) {
    const char* name = static_cast<const char*>(source);
    const int32_t reader = ChoosePluginByExtensionPrefix(name);
    if (reader != kNoPlugin) {
      rc = kZebOk;
      if (ReadLastPage(reader, name, &fromFile) == LastPageResult::kRead) page = fromFile;
    }
  }
  if (page) {
    int32_t plugin = kNoPlugin;
    if (target) plugin = ChoosePluginByExtensionPrefix(target);
    if (target && plugin == kNoPlugin) {
      rc = kZebNoPlugInForFile;
    } else {
      rc = AutoMode(page, target, plugin, target ? CompressionFor(plugin, compression) : 0);
    }
  }
  FreePageBlock(fromFile);
  LogOut("ZebAutoImage", rc);
  return rc;
}
