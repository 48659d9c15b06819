// One page DIB put together from the driver's row blocks: what the page callback does in DIB mode
// when the library assembles pages, over a block the caller allocates and owns.
#pragma once
#include <cstddef>
#include <cstdint>

#include "page_format.h"
#include "row_joiner.h"

// Bytes the driver is asked to send per block: the most whole rows that fit the transfer buffer.
// 0 when not even one row fits (the page cannot be received through this buffer).
uint32_t PageBlockSize(uint32_t rowLength, uint32_t transferBufferBytes);

// The block size the driver is told: whole rows when one fits the transfer buffer, else the whole
// buffer (the rows then arrive in pieces and are put together again).
uint32_t DriverBlockSize(uint32_t rowLength, uint32_t transferBufferBytes);

// What to do with the page after a data event.
enum class PageStep {
  More,     // code 0: keep collecting
  Deliver,  // the page is whole: hand the DIB to the application
  Discard,  // the driver failed or the data was wrong: free the DIB, deliver nothing
};

// True for the codes with which a block ends a page (1, 3, and 5 for a page ended early).
bool EndsPage(int32_t code);

class PageAssembly {
 public:
  // Event 2: takes the announced page. Returns PageDibRefusal::None or the refusal; afterwards Layout() says
  // how big a block to allocate.
  PageDibRefusal Begin(const PageFormat& format);
  const PageDibLayout& Layout() const { return layout_; }
  const PageFormat& Format() const { return format_; }

  // The caller's block, at least Layout().BlockSize bytes, not owned; header written here.
  bool Attach(uint8_t* block, size_t blockBytes);

  // A data event: `bytes` of rows with the driver's code; a row split across blocks is joined
  // again. Rows past the page's end are dropped. Rows never sent (a short page, code 5) read
  // white; a negative code discards the page.
  PageStep Receive(const uint8_t* data, uint32_t bytes, int32_t code);

  uint32_t RowsStored() const { return rowsStored_; }
  uint32_t BytesLeft() const { return bytesLeft_; }

 private:
  PageFormat format_{};
  PageDibLayout layout_{};
  uint8_t* pixels_ = nullptr;
  uint32_t bytesLeft_ = 0;
  uint32_t rowsStored_ = 0;
  RowJoiner joiner_;
  bool failed_ = true;
};

// The white rows written after a short page in file mode: at least one row per call, the last
// call shortened to what is left, counted in rows. Padding happens only once a row has arrived.
class ShortPagePadding {
 public:
  ShortPagePadding(uint32_t rowsReceived, uint32_t imageLength, uint32_t rowLength,
                   uint32_t blockBytes);
  // Bytes the white buffer must hold: RowsPerCall() rows, never less than one row.
  uint32_t BufferBytes() const { return rowsPerCall_ * rowLength_; }
  uint32_t RowsPerCall() const { return rowsPerCall_; }
  // Rows for the next write; 0 when the page holds its announced rows.
  uint32_t Next();

 private:
  uint32_t rowsLeft_ = 0;
  uint32_t rowLength_ = 0;
  uint32_t rowsPerCall_ = 0;
};
