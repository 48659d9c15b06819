// ZebAcquire and ZebAcquireUIOnly: one scan through the active driver adapter, or its
// settings only.
#include "acquire_memory.h"
#include "acquisition_state.h"
#include "debug_log.h"
#include "deskew_crop_hooks.h"
#include "driver_calls.h"
#include "driver_flags.h"
#include "file_transfer_setup.h"
#include "isis_tags.h"
#include "ks_tags.h"
#include "library_state.h"
#include "page_callback.h"
#include "page_file_writer.h"
#include "pavlot.h"
#include "settings_dialog_window.h"
#include "tag_lifecycle.h"
#include "tag_state.h"
#include "tag_table.h"
#include "tw_tags.h"

namespace {

// The least MINBUFFER allows; a record that holds less (no driver value) still gets a buffer.
constexpr int32_t kLeastTransferBuffer = 32767;

int32_t Leave(const char* name, int32_t rc) {
  LogOut(name, rc);
  LogTiming(name, "   Out");
  return rc;
}

// The checks before anything runs, and the driver start when it is not running yet.
int32_t EnsureDriverReady() {
  if (gLib.driverKind < 0) return kZebNoSource;
  if (gLib.state < kStateStarted) return kZebNotStarted;
  if (gLib.state < kStateDriverStarted) InitDrv(gLib.driverKind);
  if (gLib.state < kStateReady) return ZebInitTag();
  return kZebOk;
}

bool AllocTransferBuffer() {
  int32_t bytes = CurrentInt(kRowMinBuffer);
  if (bytes < kLeastTransferBuffer) bytes = kLeastTransferBuffer;
  gAcq.bufferHandle = AcquireAlloc(static_cast<SIZE_T>(bytes));
  if (gAcq.bufferHandle == nullptr) return false;
  gAcq.buffer = static_cast<uint8_t*>(GlobalLock(gAcq.bufferHandle));
  if (gAcq.buffer == nullptr) {
    AcquireFree(gAcq.bufferHandle);
    gAcq.bufferHandle = nullptr;
    return false;
  }
  gAcq.bufferBytes = static_cast<uint32_t>(bytes);
  return true;
}

void FreeTransferBuffer() {
  AcquireFree(gAcq.bufferHandle);
  gAcq.bufferHandle = nullptr;
  gAcq.buffer = nullptr;
  gAcq.bufferBytes = 0;
}

int32_t AcquireTwain() {
  const int32_t rc = TWAINSetProp();
  if (rc != 0) return rc;
  if (DriverDelivers == 0 || gAcq.transferMode == kTransferMemory) {
    const int32_t result = CallTWAINAcquire(PageCallback, gAcq.buffer);
    // The engine answers any stop by its callback with its cancel code; a page file that could
    // not be written (a full disk, a read-only folder) answers the plug-in's code, as on the
    // other driver kinds, so that the caller can tell it from a cancel.
    return result != 0 && gAcq.writeFailure < 0 ? gAcq.writeFailure : result;
  }
  // The engine stores each native DIB handle in the library's handle variable, or names and
  // writes the page files itself.
  if (gAcq.transferMode == kTransferDib) return CallTWAINAcquire(PageCallback, &gAcq.pageDib);
  if (gAcq.transferMode == kTransferFile)
    return CallTWAINAcquire(PageCallback, CurrentText(kRowFileName));
  return 0;
}

int32_t RunDriver() {
  switch (gLib.driverKind) {
    case kDriverMaker: {
      const int32_t rc = KSSetProp();
      return rc != 0 ? rc : CallKSAcquire(PageCallback, gAcq.buffer);
    }
    case kDriverTwain:
      return AcquireTwain();
    case kDriverIsis: {
      const int32_t rc = ISISSetProp();
      return rc != 0 ? rc : CallISISAcquire(PageCallback, gAcq.buffer);
    }
    default:
      return 0;
  }
}

void ResetAcquisition(PageCallbackProc callback) {
  gAcq.pageProc = callback;
  gAcq.transferMode = CurrentInt(kRowTransferMode);
  gAcq.pageCounter = 0;
  gAcq.pagesDone = 0;
  gAcq.countReached = false;
  gAcq.current = nullptr;
  gAcq.pageDib = nullptr;
  gAcq.pageDibOwned = false;
  gAcq.pageStatus = 0;
  gAcq.fileName[0] = '\0';
  gAcq.writeFailure = 0;
  ResetPageFiles();
}

}  // namespace

namespace {

// With UICONTROL on, the maker's driver kind scans only after the operator confirmed the
// library's settings dialog.
int32_t ConfirmSettings() {
  if (gLib.driverKind != kDriverMaker || CurrentInt(kRowUiControl) == 0) return kZebOk;
  bool accepted = false;
  const int32_t rc = RunScanSettingsDialog(&accepted);
  if (rc != kZebOk) return rc;
  return accepted ? kZebOk : kZebCancelled;
}

int32_t RunAcquisition(PageCallbackProc callback) {
  DriverDelivers = 1;
  int32_t rc = EnsureDriverReady();
  if (rc != kZebOk) return rc;
  rc = ConfirmSettings();
  if (rc != kZebOk) return rc;
  ResetAcquisition(callback);
  if (!AllocTransferBuffer()) return kZebNoMemory;
  if (gAcq.transferMode == kTransferFile) {
    rc = PrepareFileTransfer();
    if (rc != kZebOk) {
      FreeTransferBuffer();
      return rc;
    }
  }
  rc = RunDriver();
  // The driver ended on the library's own stop after the last page XFERCOUNT asked for.
  if (gAcq.countReached && rc != 0) rc = kZebOk;
  DeskewCropEnd();
  FreeTransferBuffer();
  if (gAcq.transferMode == kTransferFile && DriverDelivers == 0) FinishPageFiles();
  // Whatever the result, a page DIB the application never got is not left behind.
  DropOwnedPageDib();
  return rc;
}

}  // namespace

extern "C" int32_t __stdcall ZebAcquire(PageCallbackProc callback) {
  LogIn("ZebAcquire");
  LogTiming("ZebAcquire", "   In");
  // One acquisition at a time: neither a page callback nor a message handled while the source
  // or save dialog is open can start another one.
  if (gAcq.running) return Leave("ZebAcquire", kZebWrongState);
  gAcq.running = true;
  const int32_t rc = RunAcquisition(callback);
  gAcq.running = false;
  return Leave("ZebAcquire", rc);
}

extern "C" int32_t __stdcall ZebAcquireUIOnly(int32_t unused) {
  LogIn("ZebAcquireUIOnly");
  if (gAcq.running) return Leave("ZebAcquireUIOnly", kZebWrongState);
  gAcq.running = true;
  int32_t rc = EnsureDriverReady();
  if (rc == kZebOk && gLib.driverKind == kDriverTwain) {
    // No acquisition is prepared: whatever the source sends goes nowhere.
    ResetAcquisition(nullptr);
    gAcq.transferMode = kTransferNone;
    rc = CallTWAINAcquireUIOnly(PageCallback, nullptr);
    DropOwnedPageDib();
  }
  // Kind 0 shows the library's own settings dialog; kind 2 has no settings-only call.
  if (rc == kZebOk && gLib.driverKind == kDriverMaker) rc = ShowScanSettingsDialog();
  gAcq.running = false;
  return Leave("ZebAcquireUIOnly", rc);
}
