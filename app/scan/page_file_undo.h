// Taking back a page write that failed half-way, so that the files already on disk stay as they
// were: a new page file is removed; a multipage TIFF is cut back to its pages before the write
// and its last directory linked to none again.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tarnwick {

class PageFileUndo {
 public:
  // Notes the file as it is before the write.
  explicit PageFileUndo(const std::string& file);
  // Puts the file back as noted: removed when it did not exist.
  void Undo();

 private:
  std::string file_;
  bool existed_ = false;
  uint64_t size_ = 0;
};

// A TIFF file cut to `size` bytes and every directory link that points at or past it set to 0.
// False when the file could not be opened or is no TIFF.
bool CutTiffBack(const std::string& file, uint64_t size);

// Whether a write into `file` failed for want of room: the failure's own code says so, or the
// volume has less free space left than a page needs.
bool DiskFullFor(const std::string& file, DWORD lastError);

}  // namespace tarnwick
