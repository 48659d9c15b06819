#include "page_file_undo.h"

#include <vector>

namespace tarnwick {

namespace {

// Less free space than this after a failed page write means the page did not fit.
constexpr uint64_t kRoomForAPage = 256 * 1024;

bool SizeOf(const std::string& file, uint64_t* size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return false;
  *size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

class TiffFile {
 public:
  explicit TiffFile(const std::string& file)
      : h_(CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~TiffFile() {
    if (Open()) CloseHandle(h_);
  }
  bool Open() const { return h_ != INVALID_HANDLE_VALUE; }
  bool At(uint64_t offset) {
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(offset);
    return SetFilePointerEx(h_, at, nullptr, FILE_BEGIN) != 0;
  }
  bool Read(uint64_t offset, void* to, DWORD n) {
    DWORD got = 0;
    return At(offset) && ReadFile(h_, to, n, &got, nullptr) && got == n;
  }
  bool Write(uint64_t offset, const void* from, DWORD n) {
    DWORD put = 0;
    return At(offset) && WriteFile(h_, from, n, &put, nullptr) && put == n;
  }
  bool CutAt(uint64_t size) { return At(size) && SetEndOfFile(h_); }
  bool little = true;
  uint32_t Word(const uint8_t* p) const {
    return little ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24
                  : uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
  }
  uint16_t Half(const uint8_t* p) const {
    return little ? uint16_t(p[0] | p[1] << 8) : uint16_t(p[1] | p[0] << 8);
  }

 private:
  HANDLE h_;
};

}  // namespace

PageFileUndo::PageFileUndo(const std::string& file) : file_(file) {
  existed_ = SizeOf(file, &size_);
}

void PageFileUndo::Undo() {
  if (!existed_ || size_ < 8 || !CutTiffBack(file_, size_)) DeleteFileA(file_.c_str());
}

bool CutTiffBack(const std::string& file, uint64_t size) {
  TiffFile tif(file);
  if (!tif.Open() || !tif.CutAt(size)) return false;
  uint8_t header[8];
  if (!tif.Read(0, header, sizeof header)) return false;
  if (header[0] == 'I' && header[1] == 'I')
    tif.little = true;
  else if (header[0] == 'M' && header[1] == 'M')
    tif.little = false;
  else
    return false;
  if (tif.Half(header + 2) != 42) return false;
  // Walk the chain from the header's link; the first link that leaves the file ends it.
  uint64_t link = 4;
  uint32_t next = tif.Word(header + 4);
  for (int directories = 0; directories < 65536; ++directories) {
    if (next == 0) return true;
    if (uint64_t(next) + 2 > size) break;
    uint8_t count[2];
    if (!tif.Read(next, count, 2)) return false;
    const uint64_t nextLink = uint64_t(next) + 2 + 12ull * tif.Half(count);
    if (nextLink + 4 > size) break;
    uint8_t word[4];
    if (!tif.Read(nextLink, word, 4)) return false;
    link = nextLink;
    next = tif.Word(word);
  }
  if (link == 4) return false;  // not even the first page is whole
  const uint8_t none[4] = {0, 0, 0, 0};
  return tif.Write(link, none, 4);
}

bool DiskFullFor(const std::string& file, DWORD lastError) {
  if (lastError == ERROR_DISK_FULL || lastError == ERROR_HANDLE_DISK_FULL) return true;
  std::string folder = file.substr(0, file.find_last_of("\\/") + 1);
  ULARGE_INTEGER free{};
  if (folder.empty() || !GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr)) return false;
  return free.QuadPart < kRoomForAPage;
}

}  // namespace tarnwick
