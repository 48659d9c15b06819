// The module state of the one acquisition a process runs at a time: what ZebAcquire prepares
// and PageCallback works on. Lives in the library's globals, like the rest of the library.
#pragma once
#include <windows.h>

#include <cstdint>

#include "page_assembly.h"
#include "page_file_name.h"
#include "row_joiner.h"
#include "scan_page_info.h"

// TRANSFERMODE values; kTransferNone while no acquisition prepared one (the UI-only call).
constexpr int32_t kTransferNone = -1;
constexpr int32_t kTransferMemory = 0;
constexpr int32_t kTransferDib = 1;
constexpr int32_t kTransferFile = 2;

struct Acquisition {
  bool running = false;
  PageCallbackProc pageProc = nullptr;  // the application's callback; may be null
  int32_t transferMode = kTransferNone;

  HGLOBAL bufferHandle = nullptr;       // the transfer buffer, locked while the scan runs
  uint8_t* buffer = nullptr;
  uint32_t bufferBytes = 0;

  ScanPageInfo page{};                  // the current page's record
  int32_t pageCounter = 0;              // 1 = first page
  int32_t pagesDone = 0;                // pages that ended whole
  bool countReached = false;            // XFERCOUNT pages done: the library stopped the driver
  uint32_t rowLength = 0;               // bytes of one received row
  uint32_t rowStride = 0;               // bytes of one page DIB row
  uint32_t bytesLeft = 0;               // of the page's image size, counted down (file mode)
  void* current = nullptr;              // the data of the last event, or the deskew output

  PageAssembly assembly;                // DIB mode, pages the library puts together
  HGLOBAL pageDib = nullptr;            // its address goes to the application with event 1
  bool pageDibOwned = false;            // allocated here and not yet handed over
  int32_t pageStatus = 0;               // non-zero: the current page could not be set up

  // File mode, pages the library writes.
  char fileName[kPageFileNameSize] = {};
  bool fileOpen = false;                // a page file is being written
  bool fileWritten = false;             // at least one page file was completed
  uint32_t rowsWritten = 0;             // received rows of the current page
  int32_t writeFailure = 0;             // the plug-in's code when a page file could not be written
  RowJoiner fileRows;
};

extern Acquisition gAcq;

// Bytes of one received row, (width x bits + 7) / 8; 0 for a page without a sane size.
uint32_t ReceivedRowLength(const ScanPageInfo& page);
// Bytes of one page DIB row, padded to 4 bytes; 0 as above.
uint32_t DibRowStride(const ScanPageInfo& page);
