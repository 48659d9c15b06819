// The page services' access to image files and DIB blocks: the plug-in for a file by the first
// three letters of its extension, the last page of a file, and blocks locked for reading.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "file_plugin.h"
#include "plugin_list.h"

// The first plug-in from the head whose extension text and the file's extension agree in their
// first three letters, ignoring case; kNoPlugin when none does. Makes it current.
int32_t ChoosePluginByExtensionPrefix(const char* name);

enum class LastPageResult { kRead, kNoPlugin, kOpenFailed, kNoPage };

// Opens `name` through `plugin`, reads its pages one after another and keeps only the last:
// every other page DIB is freed as soon as the next is read. The image is closed afterwards.
// *page is the caller's (free it with FreePageBlock). With `info`, every read fills that one
// record, which the reads start from as given.
LastPageResult ReadLastPage(int32_t plugin, const char* name, HGLOBAL* page,
                            ScanPageInfo* info = nullptr);

// Unlocks the block completely and frees it.
void FreePageBlock(HGLOBAL block);

// A block locked for reading while the object lives, with its size from GlobalSize.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block);
  ~LockedBlock();
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  bool ok() const { return data_ != nullptr; }

 private:
  HGLOBAL block_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// A new movable block holding `bytes`; nullptr when memory runs out. The caller owns it.
HGLOBAL BlockFromBytes(const std::vector<uint8_t>& bytes);

// The plug-in's FileSaveAs from a page DIB block; kZebNotBound when it has none.
int32_t SaveDibThrough(int32_t plugin, HGLOBAL dib, const char* target,
                       const FileSaveOptions& options);
