#include "file_stream.h"

#include <string>

#include "path_text.h"

namespace dibglue {

using namespace imagecore;

FileStream::FileStream(const char* path)
    : file_(CreateFileW(WideOfUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileStream::~FileStream() {
  if (IsOpen()) CloseHandle(file_);
}

Stream FileStream::AsStream() {
  Stream s;
  s.context = this;
  s.read = Read;
  s.seek = Seek;
  s.size = Size;
  return s;
}

int64_t FileStream::Read(void* self, void* buffer, int64_t count) {
  auto* f = static_cast<FileStream*>(self);
  int64_t total = 0;
  while (count > 0) {
    DWORD chunk = count > (1 << 30) ? (1 << 30) : DWORD(count), got = 0;
    if (!ReadFile(f->file_, static_cast<char*>(buffer) + total, chunk, &got, nullptr)) return -1;
    if (got == 0) break;
    total += got;
    count -= got;
  }
  return total;
}

int64_t FileStream::Seek(void* self, int64_t offset, int whence) {
  auto* f = static_cast<FileStream*>(self);
  LARGE_INTEGER to, now;
  to.QuadPart = offset;
  DWORD method = whence == kSeekSet ? FILE_BEGIN : whence == kSeekCur ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(f->file_, to, &now, method)) return -1;
  return now.QuadPart;
}

int64_t FileStream::Size(void* self) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(static_cast<FileStream*>(self)->file_, &size)) return -1;
  return size.QuadPart;
}

bool FileExists(const char* path) {
  DWORD a = GetFileAttributesW(WideOfUtf8(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

Status ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  FileStream f(path);
  if (!f.IsOpen()) return kOpenFailed;
  return ReadAll(f.AsStream(), bytes);
}

Status WriteWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
  const std::wstring target = WideOfUtf8(path);
  const std::wstring temporary = target + L".~wr";
  HANDLE h = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return kOpenFailed;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD chunk = DWORD(bytes.size() - done > (1u << 30) ? (1u << 30) : bytes.size() - done), put = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &put, nullptr) && put == chunk;
    done += put;
  }
  ok = CloseHandle(h) && ok;
  if (ok) ok = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  if (!ok) DeleteFileW(temporary.c_str());
  return ok ? kOk : kWriteFailed;
}

}  // namespace dibglue
