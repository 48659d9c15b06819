#include "stream.h"

#include <cstring>

namespace imagecore {

Stream MemoryStream::AsStream() {
  Stream s;
  s.context = this;
  s.read = Read;
  s.write = Write;
  s.seek = Seek;
  s.size = Size;
  return s;
}

int64_t MemoryStream::Read(void* self, void* buffer, int64_t count) {
  auto* m = static_cast<MemoryStream*>(self);
  if (count < 0) return -1;
  size_t left = m->position_ < m->bytes_.size() ? m->bytes_.size() - m->position_ : 0;
  size_t n = size_t(count) < left ? size_t(count) : left;
  if (n) std::memcpy(buffer, m->bytes_.data() + m->position_, n);
  m->position_ += n;
  return int64_t(n);
}

int64_t MemoryStream::Write(void* self, const void* buffer, int64_t count) {
  auto* m = static_cast<MemoryStream*>(self);
  if (count < 0 || uint64_t(m->position_) + uint64_t(count) > uint64_t(kMaxFileBytes)) return -1;
  size_t end = m->position_ + size_t(count);
  if (end > m->bytes_.size()) m->bytes_.resize(end);
  if (count) std::memcpy(m->bytes_.data() + m->position_, buffer, size_t(count));
  m->position_ = end;
  return count;
}

static int64_t NewPosition(int64_t current, int64_t size, int64_t offset, int whence) {
  int64_t base = whence == kSeekSet ? 0 : whence == kSeekCur ? current : size;
  int64_t p = base + offset;
  return p < 0 || p > kMaxFileBytes ? -1 : p;
}

int64_t MemoryStream::Seek(void* self, int64_t offset, int whence) {
  auto* m = static_cast<MemoryStream*>(self);
  int64_t p = NewPosition(int64_t(m->position_), int64_t(m->bytes_.size()), offset, whence);
  if (p >= 0) m->position_ = size_t(p);
  return p;
}

int64_t MemoryStream::Size(void* self) {
  return int64_t(static_cast<MemoryStream*>(self)->bytes_.size());
}

Stream ReadOnlyMemory::AsStream() {
  Stream s;
  s.context = this;
  s.read = Read;
  s.seek = Seek;
  s.size = Size;
  return s;
}

int64_t ReadOnlyMemory::Read(void* self, void* buffer, int64_t count) {
  auto* m = static_cast<ReadOnlyMemory*>(self);
  if (count < 0) return -1;
  size_t left = m->position_ < m->size_ ? m->size_ - m->position_ : 0;
  size_t n = size_t(count) < left ? size_t(count) : left;
  if (n) std::memcpy(buffer, m->data_ + m->position_, n);
  m->position_ += n;
  return int64_t(n);
}

int64_t ReadOnlyMemory::Seek(void* self, int64_t offset, int whence) {
  auto* m = static_cast<ReadOnlyMemory*>(self);
  int64_t p = NewPosition(int64_t(m->position_), int64_t(m->size_), offset, whence);
  if (p >= 0) m->position_ = size_t(p);
  return p;
}

int64_t ReadOnlyMemory::Size(void* self) { return int64_t(static_cast<ReadOnlyMemory*>(self)->size_); }

Status ReadAll(const Stream& stream, std::vector<uint8_t>& out, int64_t maxBytes) {
  out.clear();
  if (!stream.read) return kReadFailed;
  uint8_t chunk[65536];
  for (;;) {
    int64_t n = stream.read(stream.context, chunk, sizeof chunk);
    if (n < 0) return kReadFailed;
    if (n == 0) return kOk;
    if (int64_t(out.size()) + n > maxBytes) return kTooLarge;
    out.insert(out.end(), chunk, chunk + n);
  }
}

Status WriteAll(const Stream& stream, const void* data, size_t count) {
  if (!stream.write) return kWriteFailed;
  return stream.write(stream.context, data, int64_t(count)) == int64_t(count) ? kOk : kWriteFailed;
}

}  // namespace imagecore
