#include "file_target.h"

namespace fileplugins {

PluginStatus FileTarget::Open(const std::string& name) {
  Discard();
  target_ = name;
  temporary_ = name + ".~wr";
  file_ = CreateFileA(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) {
    temporary_.clear();
    return kPluginOpenFailed;
  }
  failed_ = false;
  stream_ = imagecore::Stream{};
  stream_.context = this;
  stream_.read = Read;
  stream_.write = Write;
  stream_.seek = Seek;
  stream_.size = Size;
  return kPluginOk;
}

void FileTarget::CloseFile() {
  if (file_ != INVALID_HANDLE_VALUE && !CloseHandle(file_)) failed_ = true;
  file_ = INVALID_HANDLE_VALUE;
}

PluginStatus FileTarget::Commit() {
  if (temporary_.empty()) return kPluginWriteFailed;
  CloseFile();
  bool ok = !failed_ && MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!ok) DeleteFileA(temporary_.c_str());
  temporary_.clear();
  return ok ? kPluginOk : kPluginWriteFailed;
}

PluginStatus FileTarget::CommitFirst(int64_t length) {
  if (temporary_.empty() || file_ == INVALID_HANDLE_VALUE || length <= 0) {
    Discard();
    return kPluginWriteFailed;
  }
  LARGE_INTEGER to;
  to.QuadPart = length;
  bool ok = SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
  failed_ = false;
  CloseFile();
  ok = ok && !failed_ && MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!ok) DeleteFileA(temporary_.c_str());
  temporary_.clear();
  return ok ? kPluginOk : kPluginWriteFailed;
}

void FileTarget::Discard() {
  CloseFile();
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  temporary_.clear();
}

int64_t FileTarget::Read(void* self, void* buffer, int64_t count) {
  auto* t = static_cast<FileTarget*>(self);
  int64_t total = 0;
  while (count > 0) {
    DWORD chunk = count > (1 << 30) ? DWORD(1 << 30) : DWORD(count), got = 0;
    if (!ReadFile(t->file_, static_cast<char*>(buffer) + total, chunk, &got, nullptr)) return -1;
    if (got == 0) break;
    total += got;
    count -= got;
  }
  return total;
}

int64_t FileTarget::Write(void* self, const void* buffer, int64_t count) {
  auto* t = static_cast<FileTarget*>(self);
  int64_t total = 0;
  while (count > 0) {
    DWORD chunk = count > (1 << 30) ? DWORD(1 << 30) : DWORD(count), put = 0;
    if (!WriteFile(t->file_, static_cast<const char*>(buffer) + total, chunk, &put, nullptr) ||
        put != chunk) {
      t->failed_ = true;  // a disk that fills up mid-document must not yield a file
      return -1;
    }
    total += put;
    count -= put;
  }
  return total;
}

int64_t FileTarget::Seek(void* self, int64_t offset, int whence) {
  auto* t = static_cast<FileTarget*>(self);
  LARGE_INTEGER to, now;
  to.QuadPart = offset;
  const DWORD method = whence == imagecore::kSeekSet ? FILE_BEGIN
                       : whence == imagecore::kSeekCur ? FILE_CURRENT
                                                       : FILE_END;
  if (!SetFilePointerEx(t->file_, to, &now, method)) return -1;
  return now.QuadPart;
}

int64_t FileTarget::Size(void* self) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(static_cast<FileTarget*>(self)->file_, &size)) return -1;
  return size.QuadPart;
}

}  // namespace fileplugins
