#include "page_assembly.h"

#include <algorithm>

#include "page_dib.h"

uint32_t PageBlockSize(uint32_t rowLength, uint32_t transferBufferBytes) {
  if (rowLength == 0) return 0;
  return rowLength * (transferBufferBytes / rowLength);
}

uint32_t DriverBlockSize(uint32_t rowLength, uint32_t transferBufferBytes) {
  const uint32_t rows = PageBlockSize(rowLength, transferBufferBytes);
  return rows != 0 ? rows : transferBufferBytes;
}

bool EndsPage(int32_t code) { return code == 1 || code == 3 || code == 5; }

PageDibRefusal PageAssembly::Begin(const PageFormat& format) {
  format_ = format;
  pixels_ = nullptr;
  rowsStored_ = 0;
  bytesLeft_ = 0;
  failed_ = true;
  const PageDibRefusal refusal = PageDibLayoutFor(format, &layout_);
  return refusal;
}

bool PageAssembly::Attach(uint8_t* block, size_t blockBytes) {
  if (layout_.BlockSize == 0 || !BuildDibHeader(block, blockBytes, format_, layout_)) return false;
  pixels_ = block + layout_.HeaderSize;
  bytesLeft_ = layout_.ImageSize;
  joiner_.Reset(layout_.RowLength);
  failed_ = false;
  return true;
}

PageStep PageAssembly::Receive(const uint8_t* data, uint32_t bytes, int32_t code) {
  if (failed_ || code < 0) {
    failed_ = true;
    return PageStep::Discard;
  }
  if (bytes != 0 && data == nullptr) {
    failed_ = true;
    return PageStep::Discard;
  }
  joiner_.Feed(data, bytes, [this](const uint8_t* rows, uint32_t count) {
    rowsStored_ += CopyRowsToDib(pixels_, rows, count, &bytesLeft_, format_, layout_);
  });
  if (!EndsPage(code)) return PageStep::More;
  // Rows the driver never sent read as paper (white), whichever end code it gave.
  PadDibRowsWhite(pixels_, &bytesLeft_, layout_);
  failed_ = true;  // the page is handed over; further blocks need a new Begin
  return PageStep::Deliver;
}

ShortPagePadding::ShortPagePadding(uint32_t rowsReceived, uint32_t imageLength, uint32_t rowLength,
                                   uint32_t blockBytes)
    : rowLength_(rowLength) {
  if (rowLength == 0 || rowsReceived == 0 || rowsReceived >= imageLength) return;
  rowsLeft_ = imageLength - rowsReceived;
  rowsPerCall_ = std::max(blockBytes / rowLength, 1u);
}

uint32_t ShortPagePadding::Next() {
  const uint32_t rows = std::min(rowsLeft_, rowsPerCall_);
  rowsLeft_ -= rows;
  return rows;
}
