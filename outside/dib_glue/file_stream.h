// Files as codec streams, and whole-file reads and writes. A file is replaced only once its new
// contents are completely written, so a failed write never loses the old file. Paths are UTF-8.
#pragma once
#include <windows.h>

#include <vector>

#include "status.h"
#include "stream.h"

namespace dibglue {

class FileStream {
 public:
  // Opens for reading, shared with every other reader and writer.
  explicit FileStream(const char* path);
  ~FileStream();
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  imagecore::Stream AsStream();

 private:
  static int64_t Read(void* self, void* buffer, int64_t count);
  static int64_t Seek(void* self, int64_t offset, int whence);
  static int64_t Size(void* self);
  HANDLE file_;
};

bool FileExists(const char* path);
imagecore::Status ReadWholeFile(const char* path, std::vector<uint8_t>& bytes);
imagecore::Status WriteWholeFile(const char* path, const std::vector<uint8_t>& bytes);

}  // namespace dibglue
