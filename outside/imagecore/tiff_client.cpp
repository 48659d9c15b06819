#include "tiff_client.h"

namespace imagecore {

namespace {

tmsize_t ReadProc(thandle_t h, void* buf, tmsize_t n) {
  auto* s = static_cast<const Stream*>(h);
  return s->read ? tmsize_t(s->read(s->context, buf, int64_t(n))) : -1;
}
tmsize_t WriteProc(thandle_t h, void* buf, tmsize_t n) {
  auto* s = static_cast<const Stream*>(h);
  return s->write ? tmsize_t(s->write(s->context, buf, int64_t(n))) : -1;
}
toff_t SeekProc(thandle_t h, toff_t off, int whence) {
  auto* s = static_cast<const Stream*>(h);
  int64_t p = s->seek(s->context, int64_t(off), whence);
  return p < 0 ? toff_t(-1) : toff_t(p);
}
int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) {
  auto* s = static_cast<const Stream*>(h);
  return toff_t(s->size(s->context));
}
int MapProc(thandle_t, void**, toff_t*) { return 0; }
void UnmapProc(thandle_t, void*, toff_t) {}

// The library reports through status codes; libtiff's own messages would go to stderr.
struct Silence {
  Silence() {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
  }
};
Silence silence;

}  // namespace

TIFF* TiffOpenStream(const Stream& stream, const char* mode) {
  if (!stream.seek || !stream.size) return nullptr;
  return TIFFClientOpen("stream", mode, const_cast<Stream*>(&stream), ReadProc, WriteProc, SeekProc,
                        CloseProc, SizeProc, MapProc, UnmapProc);
}

}  // namespace imagecore
