#include "page_source.h"

#include <cstring>
#include <string>

#include "file_name_parts.h"
#include "pavlot.h"
#include "status_codes.h"

namespace {

std::string FirstThree(const std::string& text) { return text.substr(0, 3); }

}  // namespace

int32_t ChoosePluginByExtensionPrefix(const char* name) {
  if (!name) return kNoPlugin;
  const std::string extension = FirstThree(FileExtension(name));
  if (extension.empty()) return kNoPlugin;
  for (int32_t i = 0; i < PluginCount(); ++i) {
    if (SameTextIgnoringCase(FirstThree(ExtensionTextOf(*PluginAt(i))), extension)) {
      MakePluginCurrent(i);
      return i;
    }
  }
  return kNoPlugin;
}

void FreePageBlock(HGLOBAL block) {
  if (!block) return;
  for (int i = 0; i < 256 && GlobalUnlock(block); ++i) {
  }
  GlobalFree(block);
}

LastPageResult ReadLastPage(int32_t index, const char* name, HGLOBAL* page, ScanPageInfo* kept) {
  *page = nullptr;
  PluginEntry* p = PluginAt(index);
  if (!p) return LastPageResult::kNoPlugin;
  if (!p->OpenImageFile || !p->GetImageData) return LastPageResult::kOpenFailed;
  ZebCloseImage();  // the image a caller was reading
  int32_t pages = 0;
  if (p->OpenImageFile(name, &pages, 0, 0) < 0) {
    if (p->CloseImageFile) p->CloseImageFile();
    return LastPageResult::kOpenFailed;
  }
  HGLOBAL last = nullptr;
  for (int32_t i = 0; i < pages; ++i) {
    if (p->SetPageIndex && p->SetPageIndex(i, 0) < 0) break;
    HGLOBAL dib = nullptr;
    ScanPageInfo own{};
    ScanPageInfo& info = kept ? *kept : own;
    if (p->GetImageData(&dib, &info, 0, 0) < 0 || !dib) {
      FreePageBlock(dib);
      break;
    }
    FreePageBlock(last);
    last = dib;
  }
  if (p->CloseImageFile) p->CloseImageFile();
  *page = last;
  return last ? LastPageResult::kRead : LastPageResult::kNoPage;
}

LockedBlock::LockedBlock(HGLOBAL block) : block_(block) {
  if (!block_) return;
  data_ = static_cast<const uint8_t*>(GlobalLock(block_));
  if (data_) size_ = GlobalSize(block_);
}

LockedBlock::~LockedBlock() {
  if (data_) GlobalUnlock(block_);
}

HGLOBAL BlockFromBytes(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

int32_t SaveDibThrough(int32_t index, HGLOBAL dib, const char* target,
                       const FileSaveOptions& options) {
  const PluginEntry* p = PluginAt(index);
  if (!p || !p->FileSaveAs) return kZebNotBound;
  return p->FileSaveAs(nullptr, dib, target, 0, 0, &options);
}
