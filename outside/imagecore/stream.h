// I/O through caller-given procedures, in the manner of TIFFClientOpen: the same codec serves a
// file, a memory block or anything else the caller adapts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "status.h"

namespace imagecore {

enum SeekFrom { kSeekSet = 0, kSeekCur = 1, kSeekEnd = 2 };

struct Stream {
  void* context = nullptr;
  // Each answers the bytes moved, or -1 on failure. write may be null for a read-only stream.
  int64_t (*read)(void* context, void* buffer, int64_t count) = nullptr;
  int64_t (*write)(void* context, const void* buffer, int64_t count) = nullptr;
  // Answers the new position, or -1.
  int64_t (*seek)(void* context, int64_t offset, int whence) = nullptr;
  int64_t (*size)(void* context) = nullptr;
};

// A growable byte buffer as a stream; the buffer belongs to the caller.
class MemoryStream {
 public:
  explicit MemoryStream(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  Stream AsStream();
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  static int64_t Read(void* self, void* buffer, int64_t count);
  static int64_t Write(void* self, const void* buffer, int64_t count);
  static int64_t Seek(void* self, int64_t offset, int whence);
  static int64_t Size(void* self);
  std::vector<uint8_t>& bytes_;
  size_t position_ = 0;
};

// A read-only view of caller memory as a stream.
class ReadOnlyMemory {
 public:
  ReadOnlyMemory(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  Stream AsStream();

 private:
  static int64_t Read(void* self, void* buffer, int64_t count);
  static int64_t Seek(void* self, int64_t offset, int whence);
  static int64_t Size(void* self);
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// Whole contents from the current position; refuses streams larger than maxBytes.
constexpr int64_t kMaxFileBytes = int64_t(1) << 30;
Status ReadAll(const Stream& stream, std::vector<uint8_t>& out, int64_t maxBytes = kMaxFileBytes);
Status WriteAll(const Stream& stream, const void* data, size_t count);

}  // namespace imagecore
