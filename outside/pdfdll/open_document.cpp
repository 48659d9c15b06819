#include "open_document.h"

#include "pdf_dll.h"

namespace pdfdll {

namespace {
constexpr size_t kBufferBytes = 1 << 20;

// Document names arrive as UTF-8.
std::wstring WideOf(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
  wide.resize(size_t(n - 1));
  return wide;
}
}

std::unique_ptr<OpenDocument> OpenDocument::Start(const std::string& target) {
  std::string temporary = target + ".~pdf";
  HANDLE file = CreateFileW(WideOf(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<OpenDocument>(new OpenDocument(target, temporary, file));
}

OpenDocument::OpenDocument(const std::string& target, const std::string& temporary, HANDLE file)
    : target_(target), temporary_(temporary), file_(file), writer_(PdfSink{this, &OpenDocument::Write}) {
  buffer_.reserve(kBufferBytes);
}

OpenDocument::~OpenDocument() {
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    DeleteFileW(WideOf(temporary_).c_str());
  }
}

bool OpenDocument::IsFor(const std::string& target) const {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, WideOf(target).c_str(), -1,
                        WideOf(target_).c_str(), -1) ==
         CSTR_EQUAL;
}

bool OpenDocument::Write(void* self, const void* data, size_t n) {
  auto* d = static_cast<OpenDocument*>(self);
  const auto* p = static_cast<const uint8_t*>(data);
  d->buffer_.insert(d->buffer_.end(), p, p + n);
  return d->buffer_.size() < kBufferBytes || d->Flush();
}

bool OpenDocument::Flush() {
  size_t done = 0;
  while (!failed_ && done < buffer_.size()) {
    DWORD chunk = DWORD(buffer_.size() - done), put = 0;
    failed_ = !WriteFile(file_, buffer_.data() + done, chunk, &put, nullptr) || put != chunk;
    done += put;
  }
  buffer_.clear();
  return !failed_;
}

bool OpenDocument::Rewind(uint64_t offset) {
  buffer_.clear();
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(offset);
  failed_ = !SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) || !SetEndOfFile(file_);
  return !failed_;
}

// Blank bytes after the last page, as many as the end of the document can take, so that the
// end still fits when the disk fills up with a later page. The next page writes over them.
bool OpenDocument::KeepRoomForTheEnd() {
  const uint64_t end = writer_.LastPageEnd();
  const std::vector<uint8_t> room(size_t(writer_.EndBytesAtMost()), ' ');
  DWORD put = 0;
  const bool kept = WriteFile(file_, room.data(), DWORD(room.size()), &put, nullptr) && put == room.size();
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(end);
  return SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) && kept;
}

int32_t OpenDocument::AddPage(const PdfPageImage& image) {
  const bool added = writer_.AddPage(image);
  if (added && Flush()) {
    if (KeepRoomForTheEnd()) return kPdfOk;
    // The page fits but the end after it would not: the page is taken out again.
    writer_.DropLastPage();
  } else if (added) {
    // The writer has the page whole but the file does not.
    writer_.DropLastPage();
  } else {
    Flush();
    writer_.DropFailedPage();
  }
  // The document keeps the pages before this one: write on from the end of the last.
  Rewind(writer_.LastPageEnd());
  if (writer_.PageCount() > 0) KeepRoomForTheEnd();
  return kPdfWriteFailed;
}

int32_t OpenDocument::Finish() {
  if (writer_.PageCount() == 0) return kPdfOk;
  bool ok = writer_.Finish() && Flush();
  ok = ok && SetEndOfFile(file_);  // the room kept for the end that it did not take
  ok = CloseHandle(file_) && ok;
  file_ = INVALID_HANDLE_VALUE;
  if (ok) ok = MoveFileExW(WideOf(temporary_).c_str(), WideOf(target_).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  if (!ok) DeleteFileW(WideOf(temporary_).c_str());
  return ok ? kPdfOk : kPdfWriteFailed;
}

}  // namespace pdfdll
