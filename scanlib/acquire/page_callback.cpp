#include "page_callback.h"

#include <cstring>

#include "acquire_memory.h"
#include "acquisition_state.h"
#include "deskew_crop_hooks.h"
#include "driver_flags.h"
#include "page_dib.h"
#include "page_dib_global.h"
#include "page_file_writer.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

PageFormat FormatOf(const ScanPageInfo& page) {
  PageFormat f;
  f.XResolution = page.XResolution;
  f.YResolution = page.YResolution;
  f.ImageWidth = page.ImageWidth;
  f.ImageLength = page.ImageLength;
  f.BitsPerPixel = page.BitsPerPixel;
  f.SamplesPerPixel = page.SamplesPerPixel;
  f.PixelType = page.PixelType;
  return f;
}

// Row length, stride and image size of the page in the record.
void MeasurePage() {
  gAcq.rowLength = ReceivedRowLength(gAcq.page);
  gAcq.rowStride = DibRowStride(gAcq.page);
  const uint64_t image = static_cast<uint64_t>(gAcq.rowStride) *
                         static_cast<uint64_t>(gAcq.page.ImageLength > 0 ? gAcq.page.ImageLength : 0);
  gAcq.bytesLeft = image > 0x7fffffffull ? 0 : static_cast<uint32_t>(image);
}

// The application hears of a page before deskew and crop have decided its size.
void TellPageInfo(uint32_t* size) {
  const bool sizeUnknown = CurrentInt(kRowDeskew) != 0 || CurrentInt(kRowAutoCrop) != 0;
  const int32_t width = gAcq.page.ImageWidth, length = gAcq.page.ImageLength;
  if (sizeUnknown) gAcq.page.ImageWidth = gAcq.page.ImageLength = -1;
  TellApplication(&gAcq.page, size, kPageEventInfo);  // its answer never stops the scan
  gAcq.page.ImageWidth = width;
  gAcq.page.ImageLength = length;
}

// DIB mode, pages the library assembles: the page DIB at its final size.
int32_t BeginPageDib() {
  DropOwnedPageDib();
  gAcq.pageDib = nullptr;
  const PageDibRefusal refusal = gAcq.assembly.Begin(FormatOf(gAcq.page));
  if (refusal == PageDibRefusal::TooLarge) return gAcq.pageStatus = kZebNoMemory;
  // A kind or depth no page DIB row carries: refused rather than delivered with a wrong table.
  if (refusal != PageDibRefusal::None) return gAcq.pageStatus = kZebValueRefused;
  HGLOBAL dib = AllocPageDib(gAcq.assembly);
  if (dib == nullptr) return gAcq.pageStatus = kZebNoMemory;
  gAcq.pageDib = dib;
  gAcq.pageDibOwned = true;
  return 0;
}

int32_t BeginPageOutput() {
  gAcq.pageStatus = 0;
  if (gAcq.transferMode == kTransferDib) return BeginPageDib();
  if (gAcq.transferMode == kTransferFile) return gAcq.pageStatus = BeginPageFile();
  return 0;
}

int32_t PageInfoEvent(const ScanPageInfo* info, uint32_t* size) {
  if (info == nullptr) return kZebValueRefused;
  std::memcpy(&gAcq.page, info, sizeof(ScanPageInfo));
  TellPageInfo(size);
  MeasurePage();
  *size = DriverBlockSize(gAcq.rowLength, gAcq.bufferBytes);
  ++gAcq.pageCounter;
  if (DriverDelivers != 0) return 0;
  DeskewCropStart(gAcq.pageCounter);
  // With deskew or crop the page DIB or file is made once the step has the processed page.
  if (DeskewCropActive()) return 0;
  return BeginPageOutput();
}

// The deskew/crop step collects the page; once it hands the processed page back the page
// output is set up for the new dimensions. Below 1: still collecting (or its failure).
int32_t PassThroughDeskewCrop(void* data, uint32_t* size, int32_t* code) {
  const int32_t rc = DeskewCropPage(data, size, *code, gAcq.pageCounter, &gAcq.page, &gAcq.current);
  if (rc < 1) return rc;
  *code = rc;
  // The application's answer to the page information may change the size it is given; the
  // processed page's size must survive it.
  uint32_t announced = *size;
  TellApplication(&gAcq.page, &announced, kPageEventInfo);
  MeasurePage();
  const int32_t setup = BeginPageOutput();
  return setup != 0 ? setup : 1;
}

int32_t AssembledDibEvent(uint32_t* size, int32_t code) {
  if (!gAcq.pageDibOwned) {
    // No page to put the rows in: the page was refused at its start, or never announced.
    if (code < 0) return 0;
    return gAcq.pageStatus != 0 ? gAcq.pageStatus : kZebWrongState;
  }
  switch (gAcq.assembly.Receive(static_cast<const uint8_t*>(gAcq.current), *size, code)) {
    case PageStep::More:
      return 0;
    case PageStep::Discard:
      // A page failing midway is never delivered half-filled; the driver's own result ends
      // the scan.
      DropOwnedPageDib();
      gAcq.pageDib = nullptr;
      return code < 0 ? 0 : kZebValueRefused;
    case PageStep::Deliver:
      break;
  }
  UnlockPageDibFully(gAcq.pageDib);
  if (gAcq.pageProc == nullptr) {
    DropOwnedPageDib();
    return 0;
  }
  gAcq.pageDibOwned = false;
  AcquireHandOver(gAcq.pageDib);
  const int32_t answer = TellApplication(&gAcq.pageDib, size, 1);
  gAcq.pageDib = nullptr;  // the application has it: never handed or freed twice
  return answer;
}

// A DIB the driver made: its rows must lie inside its block before anyone reads them.
bool NativeDibSound(HGLOBAL dib) {
  if (dib == nullptr) return false;
  const SIZE_T bytes = GlobalSize(dib);
  const auto* block = static_cast<const uint8_t*>(GlobalLock(dib));
  if (block == nullptr) return false;
  DibPixelSpan span;
  const bool sound = LocateDibPixels(block, bytes, &span);
  GlobalUnlock(dib);
  return sound;
}

int32_t NativeDibEvent(uint32_t* size, int32_t code) {
  if (!EndsPage(code)) return 0;
  HGLOBAL dib = gAcq.pageDib;
  gAcq.pageDib = nullptr;
  if (!NativeDibSound(dib)) {
    if (dib != nullptr) GlobalFree(dib);
    return kZebValueRefused;
  }
  if (gAcq.pageProc == nullptr) {
    GlobalFree(dib);
    return 0;
  }
  HGLOBAL handed = dib;
  const int32_t answer = TellApplication(&handed, size, 1);
  return answer;
}

int32_t PageDataEvent(void* data, uint32_t* size, int32_t code) {
  if (DriverDelivers == 0 && DeskewCropActive()) {
    const int32_t rc = PassThroughDeskewCrop(data, size, &code);
    if (rc < 1) return rc;
  } else {
    gAcq.current = data;
  }
  switch (gAcq.transferMode) {
    case kTransferMemory:
      return TellApplication(gAcq.current, size, code);
    case kTransferDib:
      return DriverDelivers == 0 ? AssembledDibEvent(size, code) : NativeDibEvent(size, code);
    case kTransferFile:
      if (DriverDelivers == 0) return WritePageFileBlock(size, code);
      return EndsPage(code) ? TellDriverWrittenFile(data, size) : 0;
    default:
      return 0;
  }
}

}  // namespace

int32_t TellApplication(void* data, uint32_t* size, int32_t event) {
  if (gAcq.pageProc == nullptr) return 0;
  return gAcq.pageProc(data, size, event);
}

void DropOwnedPageDib() {
  if (!gAcq.pageDibOwned) return;
  FreeOwnedPageDib(gAcq.pageDib);
  gAcq.pageDibOwned = false;
  gAcq.pageDib = nullptr;
}

// XFERCOUNT holds on every driver kind, whether or not the driver counts pages itself: after
// that many whole pages the driver is told to stop.
int32_t CountWholePage(int32_t code, int32_t answer) {
  if (answer != 0 || code < 0 || !EndsPage(code)) return answer;
  ++gAcq.pagesDone;
  const int32_t count = CurrentInt(kRowXferCount);
  if (count > 0 && gAcq.pagesDone >= count) {
    gAcq.countReached = true;
    return kZebCancelled;
  }
  return 0;
}

int32_t __stdcall PageCallback(void* data, uint32_t* size, int32_t code) {
  uint32_t none = 0;
  if (size == nullptr) size = &none;
  if (code == kPageEventInfo) return PageInfoEvent(static_cast<const ScanPageInfo*>(data), size);
  return CountWholePage(code, PageDataEvent(data, size, code));
}
