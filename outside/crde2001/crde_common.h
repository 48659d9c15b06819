// What every entry point of the image-file library shares: the guard that keeps exceptions
// inside, progress reports, and the depth changes on the way in and out.
#pragma once
#include <new>
#include <vector>

#include "codecs.h"
#include "crde2001.h"
#include "file_stream.h"
#include "global_dib.h"

namespace crde {

using imagecore::Image;
using imagecore::Status;

template <typename F>
int16_t Guard(F work) {
  try {
    return int16_t(work());
  } catch (const std::bad_alloc&) {
    return imagecore::kNoMemory;
  } catch (...) {
    return imagecore::kFailed;
  }
}

// False when the caller's callback asked to stop.
bool Report(QmProgressProc progress, void* sender, int16_t value);

// The decoded image at the depth the caller asked for (0: as stored), in a new block.
Status Deliver(const Image& image, int16_t bits, bool dither, HGLOBAL* dib);

// The caller's block as an image at the depth to write (0: as held).
Status TakeForWriting(HGLOBAL dib, int16_t bits, Image& image);

// Encodes into memory, then replaces the file in one step.
template <typename Encode>
Status WriteFileWith(const char* file, Encode encode) {
  if (!file || !*file) return imagecore::kBadArgument;
  std::vector<uint8_t> bytes;
  imagecore::MemoryStream m(bytes);
  Status s = encode(m.AsStream());
  return s == imagecore::kOk ? dibglue::WriteWholeFile(file, bytes) : s;
}

// A reader's common steps: open the file, decode, convert, hand over the block.
template <typename Decode>
int16_t ReadFileWith(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                     void* sender, QmProgressProc progress, Decode decode) {
  return Guard([&]() -> Status {
    if (!dib || !file) return imagecore::kBadArgument;
    *dib = nullptr;
    if (!Report(progress, sender, 0)) return imagecore::kCancelled;
    dibglue::FileStream f(file);
    if (!f.IsOpen()) return imagecore::kOpenFailed;
    Image image;
    Status s = decode(f.AsStream(), image);
    if (s == imagecore::kOk) s = Deliver(image, bits, dither != 0, dib);
    if (s == imagecore::kOk && !Report(progress, sender, 100)) {
      GlobalFree(*dib);
      *dib = nullptr;
      s = imagecore::kCancelled;
    }
    return s;
  });
}

template <typename Encode>
int16_t WriteDibWith(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                     QmProgressProc progress, Encode encode) {
  return Guard([&]() -> Status {
    if (!Report(progress, sender, 0)) return imagecore::kCancelled;
    Image image;
    Status s = TakeForWriting(dib, bits, image);
    if (s == imagecore::kOk) s = WriteFileWith(file, [&](const imagecore::Stream& out) { return encode(image, out); });
    if (s == imagecore::kOk) Report(progress, sender, 100);
    return s;
  });
}

}  // namespace crde
