// The Windows output target: a document is written to "<name>.~wr" beside the target and
// moved over the target only when complete; a failed or abandoned one is deleted.
#pragma once
#include <windows.h>

#include "output_target.h"

namespace fileplugins {

class FileTarget : public OutputTarget {
 public:
  FileTarget() = default;
  FileTarget(const FileTarget&) = delete;
  FileTarget& operator=(const FileTarget&) = delete;
  ~FileTarget() override { Discard(); }

  PluginStatus Open(const std::string& name) override;
  const imagecore::Stream* Out() override { return &stream_; }
  PluginStatus Commit() override;
  void Discard() override;
  PluginStatus CommitFirst(int64_t length) override;

 private:
  static int64_t Read(void* self, void* buffer, int64_t count);
  static int64_t Write(void* self, const void* buffer, int64_t count);
  static int64_t Seek(void* self, int64_t offset, int whence);
  static int64_t Size(void* self);
  void CloseFile();

  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::string target_, temporary_;
  bool failed_ = false;
  imagecore::Stream stream_;
};

}  // namespace fileplugins
