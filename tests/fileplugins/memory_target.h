// An output target in memory for the platform-free tests: committed files by name, and a
// write that fails after a chosen number of bytes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "output_target.h"

class MemoryTarget : public fileplugins::OutputTarget {
 public:
  fileplugins::PluginStatus Open(const std::string& name) override {
    name_ = name;
    bytes_.clear();
    position_ = 0;
    failed_ = false;
    open_ = true;
    ++opens;
    stream_.context = this;
    stream_.read = Read;
    stream_.write = Write;
    stream_.seek = Seek;
    stream_.size = Size;
    return fileplugins::kPluginOk;
  }
  const imagecore::Stream* Out() override { return &stream_; }
  fileplugins::PluginStatus Commit() override {
    open_ = false;
    if (failed_) return fileplugins::kPluginWriteFailed;
    files[name_] = bytes_;
    return fileplugins::kPluginOk;
  }
  void Discard() override {
    open_ = false;
    ++discards;
  }
  bool IsOpen() const { return open_; }

  std::map<std::string, std::vector<uint8_t>> files;
  size_t failAfter = SIZE_MAX;  // writes past this many bytes fail
  int opens = 0, discards = 0;

 private:
  static int64_t Read(void* self, void* buffer, int64_t count) {
    auto* t = static_cast<MemoryTarget*>(self);
    int64_t n = std::min<int64_t>(count, int64_t(t->bytes_.size()) - int64_t(t->position_));
    if (n <= 0) return 0;
    std::copy_n(t->bytes_.begin() + t->position_, n, static_cast<uint8_t*>(buffer));
    t->position_ += size_t(n);
    return n;
  }
  static int64_t Write(void* self, const void* buffer, int64_t count) {
    auto* t = static_cast<MemoryTarget*>(self);
    if (t->position_ + size_t(count) > t->failAfter) {
      t->failed_ = true;
      return -1;
    }
    if (t->bytes_.size() < t->position_ + size_t(count)) t->bytes_.resize(t->position_ + size_t(count));
    std::copy_n(static_cast<const uint8_t*>(buffer), count, t->bytes_.begin() + t->position_);
    t->position_ += size_t(count);
    return count;
  }
  static int64_t Seek(void* self, int64_t offset, int whence) {
    auto* t = static_cast<MemoryTarget*>(self);
    int64_t base = whence == imagecore::kSeekSet ? 0
                   : whence == imagecore::kSeekCur ? int64_t(t->position_)
                                                   : int64_t(t->bytes_.size());
    if (base + offset < 0) return -1;
    t->position_ = size_t(base + offset);
    return int64_t(t->position_);
  }
  static int64_t Size(void* self) { return int64_t(static_cast<MemoryTarget*>(self)->bytes_.size()); }

  std::string name_;
  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
  bool failed_ = false;
  bool open_ = false;
  imagecore::Stream stream_;
};
