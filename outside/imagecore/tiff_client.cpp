#include "tiff_client.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

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

int WatchError(TIFF*, void* user, const char*, const char*, va_list) {
  auto* watch = static_cast<TiffDecodeWatch*>(user);
  if (watch->decoding) watch->damaged = true;
  return 1;
}

int WatchWarning(TIFF*, void* user, const char* module, const char* fmt, va_list args) {
  auto* watch = static_cast<TiffDecodeWatch*>(user);
  if (!watch->decoding || !module) return 1;
  // Every Group 4 line ends exactly at the page width: one that does not is corrupt data. (Group 3
  // faxes often carry a few such lines from the telephone line; they are read as they come.)
  if (std::strcmp(module, "Fax4Decode") == 0) watch->damaged = true;
  if (std::strcmp(module, "JPEGLib") == 0) {
    char text[256];
    vsnprintf(text, sizeof text, fmt, args);
    if (JpegWarningMeansDamage(text)) watch->damaged = true;
  }
  return 1;
}

}  // namespace

bool JpegWarningMeansDamage(const char* text) {
  // "Corrupt JPEG data: N extraneous bytes before marker" is left out: the decoder skips the
  // bytes and loses nothing of the image.
  if (std::strncmp(text, "Corrupt JPEG data", 17) == 0) return std::strstr(text, "extraneous") == nullptr;
  return std::strncmp(text, "Premature end of JPEG file", 26) == 0;
}

TIFF* TiffOpenWatched(const Stream& stream, const char* mode, TiffDecodeWatch& watch) {
  if (!stream.seek || !stream.size) return nullptr;
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(options, WatchError, &watch);
  TIFFOpenOptionsSetWarningHandlerExtR(options, WatchWarning, &watch);
  TIFF* tif = TIFFClientOpenExt("stream", mode, const_cast<Stream*>(&stream), ReadProc, WriteProc,
                                SeekProc, CloseProc, SizeProc, MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

TIFF* TiffOpenStream(const Stream& stream, const char* mode) {
  if (!stream.seek || !stream.size) return nullptr;
  return TIFFClientOpen("stream", mode, const_cast<Stream*>(&stream), ReadProc, WriteProc, SeekProc,
                        CloseProc, SizeProc, MapProc, UnmapProc);
}

}  // namespace imagecore
