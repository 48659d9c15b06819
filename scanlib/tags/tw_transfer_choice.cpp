// Who makes the pages of a TWAIN scan: the source (native DIBs, files it writes) or the library
// (pages assembled from memory blocks).
#include "driver_flags.h"
#include "plugin_formats.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tw_caps.h"
#include "tw_push.h"
#include "tw_set_prop_steps.h"

namespace {

// FILEFORMAT 0 TIFF, 1 BMP, 2 JPEG as TWFF values; -1 for the plug-ins' own formats.
uint32_t TwainFileFormat(int32_t format) {
  switch (format) {
    case 0: return 0;
    case 1: return 2;
    case 2: return 4;
    default: return static_cast<uint32_t>(-1);
  }
}

// The mechanism while the source delivers pages itself; 0 with *stop set ends the push.
uint32_t DeliveredMechanism(int32_t mode, int32_t* stop) {
  switch (mode) {
    case 0: return kTwsxMemory;
    case 1: return kTwsxNative;
    case 2:
      if (PushValue(kIcapFileFormat, TwainFileFormat(CurrentInt(kRowFileFormat))) == 0)
        return kTwsxFile;
      if (OwnDevice == 0 || !HaveCurrentPlugin()) {
        // Nobody could write the page files.
        *stop = kZebNotBound;
        return 0;
      }
      DriverDelivers = 0;
      return kTwsxMemory;
    default:
      // No page form of its own: memory blocks, which the library hands on as they come.
      return kTwsxMemory;
  }
}

}  // namespace

int32_t PushTransferChoice() {
  if (PushValue(kIcapCompression, static_cast<uint32_t>(CurrentInt(kRowCompression))) != 0) {
    if (OwnDevice == 0) return kZebNotBound;
    DriverDelivers = 0;
  }
  const int32_t mode = CurrentInt(kRowTransferMode);
  uint32_t mechanism = kTwsxMemory;
  if (DriverDelivers != 0) {
    int32_t stop = 0;
    mechanism = DeliveredMechanism(mode, &stop);
    if (stop != 0) return stop;
  } else if (mode == 2 && !HaveCurrentPlugin()) {
    return kZebNotBound;
  }
  if (PushValue(kIcapXferMech, mechanism) != 0) {
    DriverDelivers = 0;
    const int32_t rc = PushValue(kIcapXferMech, kTwsxMemory);
    if (rc != 0) return rc;
    if (mode == 2 && !HaveCurrentPlugin()) return kZebNotBound;
  }
  return 0;
}
