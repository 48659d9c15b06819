#include "line_session.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>

namespace fileplugins {

bool FileNameFits(const char* name) {
  if (!name || !*name) return false;
  size_t n = 0;
  while (n <= kMaxFileName && name[n]) ++n;
  return n <= kMaxFileName;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

PluginStatus LineSession::Create(const char* name, const ScanPageInfo* info, int32_t quality) {
  if (pageOpen_) return kPluginPageOpen;
  if (!FileNameFits(name)) return kPluginBadName;
  if (!info) return kPluginBadArgument;
  const std::optional<PageKind> kind = PageKindOf(info->PixelType, info->BitsPerPixel);
  if (!kind || !Carries(rule_, *kind) || info->ImageWidth <= 0 || info->ImageLength <= 0)
    return kPluginPageUnsupported;
  const uint16_t mode = static_cast<uint16_t>(info->Compression);
  if (!Offers(rule_, mode)) return kPluginCompressionUnsupported;
  const std::string target(name);
  if (!writer_ && !lastOnePageFile_.empty() && SameFileName(lastOnePageFile_, target))
    return kPluginOnePageOnly;  // its one page is written; another would replace it

  const uint32_t width = uint32_t(info->ImageWidth), height = uint32_t(info->ImageLength);
  // A page held whole has every byte written before it is read: rows as they come, white for
  // the rest. One coded as its rows come is not held at all.
  const bool asTheyCome = CodesRowsAsTheyCome(rule_.kind, *kind);
  RawPage page;
  PluginStatus s = kPluginOk;
  if (asTheyCome) {
    s = ShapePage(page, width, height, *kind);
  } else {
    page.rows = std::move(spare_);
    s = SizePage(page, width, height, *kind);
  }
  if (s != kPluginOk) return s;
  page.xDpi = info->XResolution > 0 ? uint32_t(info->XResolution) : 0;
  page.yDpi = info->YResolution > 0 ? uint32_t(info->YResolution) : 0;

  if (writer_ && !SameFileName(fileName_, target)) {
    s = Finish();  // a new name ends the file kept open for more pages
    if (s != kPluginOk) return s;
  }
  bool opened = false;
  if (!writer_) {
    std::unique_ptr<DocumentWriter> writer = MakeWriter(rule_.kind);
    if (!writer) return kPluginNoWriter;
    s = target_.Open(target);
    if (s != kPluginOk) return s;
    writer_ = std::move(writer);
    s = writer_->Begin(target_.Out());
    if (s != kPluginOk) {
      Abandon();
      return s;
    }
    fileName_ = target;
    opened = true;
  }
  const Coding coding = CodingFor(rule_, mode, *kind);
  const int jpegQuality = JpegQuality(quality);
  asTheyCome_ = false;
  if (asTheyCome) {
    s = BeginPageRows(page, coding, jpegQuality);
    if (s != kPluginOk) {
      // A page the coder will not take row by row (a size it refuses) is held and added whole,
      // which answers for it as any other page.
      page.rows = std::move(spare_);
      s = SizePage(page, width, height, *kind);
    }
    if (s != kPluginOk) {
      if (opened) Abandon();
      return s;
    }
  }
  lastOnePageFile_.clear();
  page_ = std::move(page);
  rowsDone_ = 0;
  coding_ = coding;
  jpegQuality_ = jpegQuality;
  pageOpen_ = true;
  return kPluginOk;
}

PluginStatus LineSession::BeginPageRows(const RawPage& shape, Coding coding, int jpegQuality) {
  const size_t line = shape.RowBytes();
  try {
    white_.assign(line, 0xFF);
    shortRow_.assign(line, 0xFF);
  } catch (const std::bad_alloc&) {
    white_ = {};
    shortRow_ = {};
    return kPluginNoMemory;
  }
  const PluginStatus s = writer_->BeginRows(shape, coding, jpegQuality);
  if (s != kPluginOk) return s;
  asTheyCome_ = true;
  rowFailure_ = kPluginOk;
  spare_ = {};  // nothing of a page is held while its rows go straight to the coder
  return kPluginOk;
}

PluginStatus LineSession::Save(const void* rows, int32_t rowBytes, int32_t rowCount, int32_t received) {
  if (!pageOpen_) return kPluginNoPage;
  if (rowCount < 0 || rowBytes < 0 || (rowCount > 0 && !rows)) return kPluginBadArgument;
  if (rowCount == 0) return kPluginOk;
  const size_t line = page_.RowBytes();
  // A row may come a little short for a width that ends inside a byte (width x bits / 8
  // rounded down); the bits it lacks stay white.
  const size_t least = size_t(page_.width) * BitsOf(page_.kind) / 8;
  if (size_t(rowBytes) < std::max<size_t>(least, 1)) return kPluginBadRows;
  if (uint64_t(rowsDone_) + uint64_t(rowCount) > page_.height) return kPluginBadRows;
  // The block the caller describes must be addressable at all (a 32-bit process).
  if (uint64_t(rowBytes) * uint64_t(rowCount) > uint64_t(SIZE_MAX / 2)) return kPluginBadRows;
  const size_t take = std::min(line, size_t(rowBytes));
  const uint8_t* src = static_cast<const uint8_t*>(rows);
  if (asTheyCome_) return PutRows(src, size_t(rowBytes), uint32_t(rowCount), received != 0);
  for (int32_t r = 0; r < rowCount; ++r, ++rowsDone_) {
    uint8_t* row = page_.Row(rowsDone_);
    // Padding rows are white whatever the block holds.
    if (!received) {
      std::memset(row, 0xFF, line);
      continue;
    }
    std::memcpy(row, src + size_t(r) * size_t(rowBytes), take);
    if (take < line) std::memset(row + take, 0xFF, line - take);
  }
  return kPluginOk;
}

PluginStatus LineSession::PutRows(const uint8_t* rows, size_t rowBytes, uint32_t count, bool received) {
  // After a failed write the page can only be dropped; each further block hears of it again.
  if (rowFailure_ != kPluginOk) return rowFailure_;
  const size_t line = page_.RowBytes();
  PluginStatus s = kPluginOk;
  if (!received) {
    s = writer_->PutRows(white_.data(), 0, count);  // padding rows are white whatever the block holds
  } else if (rowBytes >= line) {
    s = writer_->PutRows(rows, rowBytes, count);
  } else {
    for (uint32_t r = 0; r < count && s == kPluginOk; ++r) {
      std::memcpy(shortRow_.data(), rows + size_t(r) * rowBytes, rowBytes);
      std::memset(shortRow_.data() + rowBytes, 0xFF, line - rowBytes);
      s = writer_->PutRows(shortRow_.data(), 0, 1);
    }
  }
  rowsDone_ += count;
  rowFailure_ = s;
  return s;
}

PluginStatus LineSession::EndPageRows() {
  asTheyCome_ = false;
  PluginStatus s = rowFailure_;
  // The rows that never came are paper.
  if (s == kPluginOk && rowsDone_ < page_.height) s = writer_->PutRows(white_.data(), 0, page_.height - rowsDone_);
  if (s == kPluginOk) s = writer_->EndRows();
  rowFailure_ = kPluginOk;
  return s;
}

PluginStatus LineSession::Close(int32_t keepOpen) {
  if (!writer_) {
    lastOnePageFile_.clear();
    spare_ = {};
    return kPluginOk;  // nothing open: the scan library closes once more at the end of a scan
  }
  if (pageOpen_) {
    pageOpen_ = false;
    PluginStatus s = kPluginOk;
    if (asTheyCome_) {
      s = EndPageRows();
    } else {
      // The rows that never came are paper.
      if (rowsDone_ < page_.height)
        std::memset(page_.Row(rowsDone_), 0xFF, size_t(page_.height - rowsDone_) * page_.RowBytes());
      s = writer_->AddPage(page_, coding_, jpegQuality_);
      spare_ = std::move(page_.rows);
    }
    page_ = RawPage{};
    if (s != kPluginOk) {
      // A document with whole pages before the failed one (a full disk) keeps them.
      const int64_t kept = writer_->KeepCompletedPages();
      if (kept > 0) {
        writer_.reset();
        target_.CommitFirst(kept);
        fileName_.clear();
      } else {
        Abandon();
      }
      return s;
    }
  }
  if (keepOpen && rule_.multipage) return kPluginOk;
  const std::string name = fileName_;
  const PluginStatus s = Finish();
  if (s == kPluginOk && keepOpen) lastOnePageFile_ = name;
  return s;
}

PluginStatus LineSession::Finish() {
  PluginStatus s = writer_->Finish();
  writer_.reset();
  if (s == kPluginOk) s = target_.Commit();
  else target_.Discard();
  fileName_.clear();
  return s;
}

void LineSession::Abandon() {
  if (writer_) {
    writer_.reset();
    target_.Discard();
  }
  pageOpen_ = false;
  asTheyCome_ = false;
  rowFailure_ = kPluginOk;
  page_ = RawPage{};
  spare_ = {};
  white_ = {};
  shortRow_ = {};
  fileName_.clear();
}

}  // namespace fileplugins
