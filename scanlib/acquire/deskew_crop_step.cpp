#include "deskew_crop_step.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "acquire_memory.h"
#include "acquisition_state.h"
#include "deskew_crop_hooks.h"
#include "deskew_crop_rows.h"
#include "driver_calls.h"
#include "library_state.h"
#include "settings_store.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

// A locked movable block of the acquisition's, counted with its other blocks.
struct Block {
  HGLOBAL handle = nullptr;
  uint8_t* bytes = nullptr;
  size_t size = 0;

  bool Allocate(size_t n) {
    HGLOBAL h = AcquireAlloc(n > 0 ? n : 1);
    if (h == nullptr) return false;
    auto* p = static_cast<uint8_t*>(GlobalLock(h));
    if (p == nullptr) {
      AcquireFree(h);
      return false;
    }
    Release();
    handle = h;
    bytes = p;
    size = n;
    return true;
  }
  void Release() {
    if (handle != nullptr) AcquireFree(handle);  // unlocks fully, then frees
    handle = nullptr;
    bytes = nullptr;
    size = 0;
  }
};

struct StepState {
  Block background, reference, page, output;
  size_t collected = 0;       // bytes of the current page in the page buffer
  bool overflowed = false;    // the page brought more than the page buffer holds
  int32_t mode = 0;
  int32_t state = 0;          // what `reference` stored, handed to every page
  bool bypassed = false;      // the background could not be read: pages go on as scanned
};

StepState gStep;

bool Bound() {
  return gLib.aux.reference != nullptr && gLib.aux.deskew_crop_option != nullptr;
}

bool Wanted() {
  return CurrentInt(kRowBackgroundLines) > 0 &&
         (CurrentInt(kRowDeskew) != 0 || CurrentInt(kRowAutoCrop) != 0);
}

// ---- debug dumps (only above DEBUGLEVEL 2, on drive C, as the deskew library's makers ask) ----

bool Dumping() { return SettingsLogLevel() > 2; }

void AppendNote(const char* text) {
  HANDLE f = CreateFileA("c:\\deskew.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
  CloseHandle(f);
}

void DumpRaw(const char* nameFormat, int32_t page, const uint8_t* bytes, size_t size) {
  char path[MAX_PATH];
  std::snprintf(path, sizeof(path), nameFormat, static_cast<int>(page));
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, bytes, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(f);
}

void DumpNote(const char* label, int32_t page, int32_t width, int32_t lines) {
  char line[128];
  std::snprintf(line, sizeof(line), "%s%d:%d x %d\r\n", label, static_cast<int>(page),
                static_cast<int>(width), static_cast<int>(lines));
  AppendNote(line);
}

// ---- the step ----

bool OneBit(const ScanPageInfo& p) { return p.BitsPerPixel == 1; }
bool Colour(const ScanPageInfo& p) { return p.PixelType == 2 && p.BitsPerPixel == 24; }
bool Workable(const ScanPageInfo& p) {
  return p.ImageWidth > 0 && (OneBit(p) || Colour(p) || (p.PixelType != 2 && p.BitsPerPixel == 8));
}

void EndStep() {
  gStep.background.Release();
  gStep.reference.Release();
  gStep.page.Release();
  gStep.output.Release();
  gStep.collected = 0;
  gStep.overflowed = false;
  gStep.state = 0;
}

// The background lines from the maker's driver, in the form the deskew library reads: one
// byte a pixel (or three for colour), whatever depth the driver delivers them in.
int32_t ReadBackground(const ScanPageInfo& p, int32_t pageCounter) {
  const int32_t lines = CurrentInt(kRowBackgroundLines);
  const size_t rowLength = ReceivedRowLength(p);
  if (!Workable(p) || rowLength == 0) return kZebValueRefused;
  std::vector<uint8_t> raw;
  try {
    raw.assign(size_t(lines) * rowLength, 0);
  } catch (...) {
    return kZebNoMemory;
  }
  const int32_t rc = CallKSGetValue(kTagTable[kRowBackgroundLines].Tag, kTagTable[kRowBackgroundLines].Type,
                                    raw.data());
  if (rc != 0) return rc < 0 ? rc : kZebValueRefused;
  const bool colour = Colour(p);
  const size_t rowBytes = DeskewRowBytes(p.ImageWidth, colour);
  if (!gStep.background.Allocate(size_t(lines) * rowBytes)) return kZebNoMemory;
  if (OneBit(p)) {
    WidenBitRows(raw.data(), rowLength, p.ImageWidth, lines, gStep.background.bytes);
  } else {
    std::memcpy(gStep.background.bytes, raw.data(), raw.size());
    if (colour) {
      std::vector<uint8_t> scratch(gStep.background.size);
      InterleaveColourLines(gStep.background.bytes, p.ImageWidth, lines, scratch.data());
    }
  }
  if (Dumping()) {
    DumpNote("background", pageCounter, p.ImageWidth, lines);
    DumpRaw("c:\\bk%d.raw", pageCounter, raw.data(), raw.size());
  }
  if (!gStep.reference.Allocate(size_t(4) * p.ImageWidth)) return kZebNoMemory;
  gStep.mode = DeskewModeWord(p.PixelType);
  const int32_t rc2 = gLib.aux.reference(gStep.reference.bytes, gStep.background.bytes,
                                         p.XResolution, lines, p.ImageWidth, gStep.mode,
                                         &gStep.state);
  return rc2 == 0 ? 0 : kZebValueRefused;
}

int32_t Start(int32_t pageCounter) {
  if (!Bound()) return kZebNotBound;
  if (gStep.bypassed || !Wanted()) return 0;
  const ScanPageInfo& p = gAcq.page;
  gStep.collected = 0;
  gStep.overflowed = false;
  if (gStep.reference.handle == nullptr) {
    if (pageCounter == 1 && Dumping()) AppendNote("\r\n========================================\r\n");
    const int32_t rc = ReadBackground(p, pageCounter);
    if (rc != 0) {
      EndStep();
      gStep.bypassed = true;
      return rc;
    }
  }
  // Every page gets room for what it announces; a later, longer page grows the buffer.
  const size_t need = size_t(ReceivedRowLength(p)) * size_t(p.ImageLength > 0 ? p.ImageLength : 0);
  if (need > gStep.page.size && !gStep.page.Allocate(need)) {
    EndStep();
    gStep.bypassed = true;
    return kZebNoMemory;
  }
  return 0;
}

void Collect(const void* data, uint32_t size) {
  if (data == nullptr || size == 0) return;
  const size_t room = gStep.page.size - gStep.collected;
  const size_t n = size <= room ? size : room;
  if (n < size) gStep.overflowed = true;
  std::memcpy(gStep.page.bytes + gStep.collected, data, n);
  gStep.collected += n;
}

// The corrected page in the output buffer; false leaves the page to go on as scanned.
bool Correct(ScanPageInfo* record, int32_t pageCounter, uint32_t* size) {
  if (gStep.overflowed || gStep.reference.handle == nullptr || !Workable(*record)) return false;
  const size_t rowLength = ReceivedRowLength(*record);
  const int32_t lines = static_cast<int32_t>(gStep.collected / rowLength);
  if (lines < 1) return false;
  const bool colour = Colour(*record), oneBit = OneBit(*record);
  std::vector<uint8_t> widened;
  uint8_t* work = gStep.page.bytes;
  if (oneBit) {
    widened.resize(size_t(record->ImageWidth) * lines);
    WidenBitRows(gStep.page.bytes, rowLength, record->ImageWidth, lines, widened.data());
    work = widened.data();
  }
  if (Dumping()) {
    DumpNote("image", pageCounter, record->ImageWidth, lines);
    DumpRaw("c:\\image%d.raw", pageCounter, gStep.page.bytes, gStep.collected);
  }
  void* image = nullptr;
  int32_t width = 0, length = 0;
  const int32_t rc = gLib.aux.deskew_crop_option(&image, &width, &length, record->XResolution,
                                                 gStep.reference.bytes, work, record->ImageWidth,
                                                 lines, gStep.mode, gStep.state);
  if (rc != 0 || image == nullptr || width < 1 || length < 1) {
    MessageBoxA(nullptr, "Deskew_crop_option failure!!!", "", MB_OK);
    return false;
  }
  const size_t outRow = oneBit ? (size_t(width) + 7) / 8 : DeskewRowBytes(width, colour);
  const size_t bytes = outRow * size_t(length);
  // A corrected page more than twice the page's own size is not believed.
  if (bytes > 2 * rowLength * size_t(record->ImageLength > lines ? record->ImageLength : lines))
    return false;
  if (bytes > gStep.output.size) {
    Block grown;
    if (!grown.Allocate(bytes)) return false;  // the old block stays
    gStep.output.Release();
    gStep.output = grown;
  }
  if (oneBit) PackBitRows(static_cast<const uint8_t*>(image), width, length, gStep.output.bytes);
  else std::memcpy(gStep.output.bytes, image, bytes);
  record->ImageWidth = width;
  record->ImageLength = length;
  *size = static_cast<uint32_t>(bytes);
  if (Dumping()) {
    DumpNote("deskew", pageCounter, width, length);
    DumpRaw("c:\\deskew%d.raw", pageCounter, gStep.output.bytes, bytes);
  }
  return true;
}

int32_t Page(void* data, uint32_t* size, int32_t code, int32_t pageCounter, ScanPageInfo* record,
             void** current) {
  if (!Bound()) return kZebNotBound;
  if (gStep.page.handle == nullptr) return 0;  // nothing to collect into: bypassed
  Collect(data, *size);
  if (code < 0) gStep.collected = 0;  // the page failed: the driver's code ends the scan
  if (code < 1) return 0;
  if (Correct(record, pageCounter, size)) {
    *current = gStep.output.bytes;
  } else {
    // As scanned: the rows collected, never more than the page buffer holds.
    *current = gStep.page.bytes;
    *size = static_cast<uint32_t>(gStep.collected);
  }
  gStep.collected = 0;
  gStep.overflowed = false;
  return 1;
}

void End() {
  EndStep();
  gStep.bypassed = false;
}

bool Bypassed() { return gStep.bypassed; }

const DeskewCropStep kCropDeskewStep{Bound, Start, Page, End, Bypassed};

}  // namespace

void InstallCropDeskewStep() { InstallDeskewCropStep(&kCropDeskewStep); }
