// JPEG through libjpeg (jpeg62 interface). Codec errors leave by longjmp from the error manager
// into the one frame that called the codec; that frame keeps no objects with destructors alive.
#include <cstdio>
#include <csetjmp>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "codecs.h"
#include "jpeg_coding.h"

namespace imagecore {

namespace {

struct JpegError {
  jpeg_error_mgr manager;
  jmp_buf escape;
  bool endedEarly;  // the data stops before the image is complete
  bool damaged;     // the entropy data is corrupt
};

void JpegFail(j_common_ptr info) { longjmp(reinterpret_cast<JpegError*>(info->err)->escape, 1); }
// The codec goes on past corrupt entropy data and a cut-off end (padding with gray); both are
// still a damaged file. Extraneous bytes before a marker are skipped without loss.
void JpegQuiet(j_common_ptr info, int level) {
  if (level >= 0) return;
  JpegError* e = reinterpret_cast<JpegError*>(info->err);
  switch (info->err->msg_code) {
    case JWRN_JPEG_EOF: e->endedEarly = true; break;
    case JWRN_HIT_MARKER: case JWRN_HUFF_BAD_CODE: case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
      e->damaged = true;
      break;
    default: break;
  }
}

// Errors that name a kind of JPEG this build does not decode rather than a damaged file.
bool UnsupportedKind(int code) {
  return code == JERR_BAD_PRECISION || code == JERR_SOF_UNSUPPORTED || code == JERR_NOT_COMPILED;
}

struct Decoded {
  uint32_t width = 0, height = 0;
  int components = 0;
  J_COLOR_SPACE space = JCS_UNKNOWN;
  unsigned density = 0, xDensity = 0, yDensity = 0;
  uint64_t blocks = 0;  // 8 x 8 blocks of every component
  bool arithmetic = false;
};

int DecodeHeader(jpeg_decompress_struct* d, const uint8_t* data, size_t size, Decoded* out) {
  JpegError* e = reinterpret_cast<JpegError*>(d->err);
  if (setjmp(e->escape)) return 0;
  jpeg_create_decompress(d);
  jpeg_mem_src(d, data, (unsigned long)size);
  jpeg_read_header(d, TRUE);
  if (d->jpeg_color_space == JCS_GRAYSCALE) d->out_color_space = JCS_GRAYSCALE;
  else if (d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK) d->out_color_space = JCS_CMYK;
  else d->out_color_space = JCS_RGB;
  d->dct_method = JDCT_ISLOW;
  jpeg_calc_output_dimensions(d);
  out->width = d->output_width;
  out->height = d->output_height;
  out->components = d->output_components;
  out->space = d->out_color_space;
  out->density = d->density_unit;
  out->xDensity = d->X_density;
  out->yDensity = d->Y_density;
  for (int i = 0; i < d->num_components; ++i)
    out->blocks += uint64_t(d->comp_info[i].width_in_blocks) * d->comp_info[i].height_in_blocks;
  out->arithmetic = d->arith_code;
  return 1;
}

int DecodeRows(jpeg_decompress_struct* d, Image* image, uint8_t* line) {
  JpegError* e = reinterpret_cast<JpegError*>(d->err);
  if (setjmp(e->escape)) return 0;
  jpeg_start_decompress(d);
  while (d->output_scanline < d->output_height) {
    // The codec would go on to the last row past the end of the data or corrupt data; the file
    // is refused for either, so the rows after it are not worth the work.
    if (e->endedEarly || e->damaged) return 1;
    uint32_t y = d->output_scanline;
    JSAMPROW rows[1] = {line};
    if (jpeg_read_scanlines(d, rows, 1) != 1) return 0;
    uint8_t* row = image->Row(y);
    for (uint32_t x = 0; x < image->width; ++x) {
      if (d->out_color_space == JCS_GRAYSCALE) {
        row[x] = line[x];
      } else if (d->out_color_space == JCS_CMYK) {
        // Adobe writes CMYK inverted: the stored value is already 255 - ink.
        const uint8_t* p = line + 4 * x;
        row[3 * x + 2] = uint8_t(p[0] * p[3] / 255);
        row[3 * x + 1] = uint8_t(p[1] * p[3] / 255);
        row[3 * x] = uint8_t(p[2] * p[3] / 255);
      } else {
        row[3 * x] = line[3 * x + 2]; row[3 * x + 1] = line[3 * x + 1]; row[3 * x + 2] = line[3 * x];
      }
    }
  }
  jpeg_finish_decompress(d);
  return 1;
}

}  // namespace

Status ReadJpeg(const Stream& in, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.size() < 3 || f[0] != 0xFF || f[1] != 0xD8) return kNotThisFormat;
  jpeg_decompress_struct d;
  JpegError e;
  d.err = jpeg_std_error(&e.manager);
  e.manager.error_exit = JpegFail;
  e.manager.emit_message = JpegQuiet;
  e.endedEarly = false;
  e.damaged = false;
  Decoded info;
  s = kOk;
  if (!DecodeHeader(&d, f.data(), f.size(), &info)) s = UnsupportedKind(e.manager.msg_code) ? kUnsupported : kTruncated;
  else if (info.width > kMaxSide || info.height > kMaxSide ||
           uint64_t(info.width) * info.height > kMaxPixels)
    s = kTooLarge;
  // Huffman coding spends at least one bit on the DC value of every block: a file with fewer bits
  // than its blocks is cut short, and is refused before a page of its size is made.
  else if (!info.arithmetic && info.blocks > uint64_t(f.size()) * 8)
    s = kTruncated;
  else if (!Allocate(image, info.width, info.height, info.space == JCS_GRAYSCALE ? 8 : 24))
    s = kTooLarge;
  if (s == kOk) {
    if (info.density == 1) {
      image.xPelsPerMeter = uint32_t(info.xDensity * 39.37 + 0.5);
      image.yPelsPerMeter = uint32_t(info.yDensity * 39.37 + 0.5);
    } else if (info.density == 2) {
      image.xPelsPerMeter = info.xDensity * 100;
      image.yPelsPerMeter = info.yDensity * 100;
    }
    std::vector<uint8_t> line(size_t(info.width) * (info.components > 0 ? info.components : 4) + 16);
    if (!DecodeRows(&d, &image, line.data())) s = UnsupportedKind(e.manager.msg_code) ? kUnsupported : kCodecError;
    else if (e.endedEarly) s = kTruncated;
    else if (e.damaged) s = kCodecError;
  }
  jpeg_destroy_decompress(&d);
  return s;
}

namespace {

// The coder's output goes straight to the stream through a buffer of the caller's; a failed write
// ends the coding (the error manager's escape) and is reported as the write failure it is.
constexpr size_t kOutBuffer = 64 * 1024;

struct StreamDestination {
  jpeg_destination_mgr manager;
  const Stream* out;
  uint8_t* buffer;
  Status written;
};

void StartOutput(j_compress_ptr c) {
  auto* d = reinterpret_cast<StreamDestination*>(c->dest);
  d->manager.next_output_byte = d->buffer;
  d->manager.free_in_buffer = kOutBuffer;
}

boolean FlushOutput(j_compress_ptr c) {
  auto* d = reinterpret_cast<StreamDestination*>(c->dest);
  d->written = WriteAll(*d->out, d->buffer, kOutBuffer);
  if (d->written != kOk) ERREXIT(c, JERR_FILE_WRITE);
  StartOutput(c);
  return TRUE;
}

void EndOutput(j_compress_ptr c) {
  auto* d = reinterpret_cast<StreamDestination*>(c->dest);
  const size_t left = kOutBuffer - d->manager.free_in_buffer;
  if (left) d->written = WriteAll(*d->out, d->buffer, left);
  if (d->written != kOk) ERREXIT(c, JERR_FILE_WRITE);
}

// Each step of the coding is its own frame for the error manager's escape; none keeps objects
// with destructors alive.
int StartCoding(jpeg_compress_struct* c, const JpegRows* rows, int quality, int smoothing,
                StreamDestination* dest) {
  JpegError* e = reinterpret_cast<JpegError*>(c->err);
  if (setjmp(e->escape)) return 0;
  jpeg_create_compress(c);
  dest->manager.init_destination = StartOutput;
  dest->manager.empty_output_buffer = FlushOutput;
  dest->manager.term_destination = EndOutput;
  c->dest = &dest->manager;
  const bool gray = rows->input == JpegInput::kGray;
  c->image_width = rows->width;
  c->image_height = rows->height;
  c->input_components = gray ? 1 : 3;
  // libjpeg-turbo takes the rows in either byte order: no row is reordered here.
  c->in_color_space = gray ? JCS_GRAYSCALE : rows->input == JpegInput::kBgr ? JCS_EXT_BGR : JCS_RGB;
  SetJpegCoding(c, quality, smoothing);
  if (rows->xPelsPerMeter && rows->yPelsPerMeter) {
    c->density_unit = 1;
    c->X_density = uint16_t(rows->xPelsPerMeter / 39.37 + 0.5);
    c->Y_density = uint16_t(rows->yPelsPerMeter / 39.37 + 0.5);
  }
  jpeg_start_compress(c, TRUE);
  return 1;
}

// Answers the rows the coder took, or -1 on a codec error.
int64_t CodeRows(jpeg_compress_struct* c, const uint8_t* const* rows, uint32_t count) {
  JpegError* e = reinterpret_cast<JpegError*>(c->err);
  if (setjmp(e->escape)) return -1;
  // The coder reads the rows and never writes them.
  return jpeg_write_scanlines(c, const_cast<JSAMPARRAY>(rows), count);
}

int FinishCoding(jpeg_compress_struct* c) {
  JpegError* e = reinterpret_cast<JpegError*>(c->err);
  if (setjmp(e->escape)) return 0;
  jpeg_finish_compress(c);
  return 1;
}

const uint8_t* ImageRow(const void* context, uint32_t y, uint8_t*) {
  return static_cast<const Image*>(context)->Row(y);
}

// Palette images other than a plain 8-bit gray ramp: each pixel's brightness.
const uint8_t* LumaRow(const void* context, uint32_t y, uint8_t* scratch) {
  const Image& image = *static_cast<const Image*>(context);
  const uint8_t* row = image.Row(y);
  for (uint32_t x = 0; x < image.width; ++x) scratch[x] = Luma(PixelColor(image, row, x));
  return scratch;
}

}  // namespace

struct JpegRowCoder::State {
  jpeg_compress_struct c;
  JpegError e;
  StreamDestination dest{};
  std::vector<uint8_t> buffer;
  bool created = false;
  bool finished = false;
  Status failure = kOk;  // the first failure; every later call answers it

  Status Fail(Status fallback) {
    failure = dest.written != kOk ? dest.written : fallback;
    return failure;
  }
};

JpegRowCoder::JpegRowCoder() = default;

JpegRowCoder::~JpegRowCoder() {
  if (state_ && state_->created) jpeg_destroy_compress(&state_->c);
}

Status JpegRowCoder::Start(const JpegRows& shape, int quality, int smoothing, const Stream& out) {
  if (state_) return kBadArgument;  // one image per coder
  if (shape.width == 0 || shape.height == 0 || shape.width > 65500 || shape.height > 65500)
    return kBadArgument;
  if (quality <= 0 || quality > 100) quality = 75;
  if (smoothing < 0 || smoothing > 100) smoothing = 0;
  state_ = std::make_unique<State>();
  State& st = *state_;
  st.c.err = jpeg_std_error(&st.e.manager);
  st.e.manager.error_exit = JpegFail;
  st.e.manager.emit_message = JpegQuiet;
  st.e.endedEarly = false;
  st.e.damaged = false;
  st.buffer.resize(kOutBuffer);
  st.dest.out = &out;
  st.dest.buffer = st.buffer.data();
  st.dest.written = kOk;
  st.created = true;  // the codec's own create clears what its destroy looks at first
  if (!StartCoding(&st.c, &shape, quality, smoothing, &st.dest)) return st.Fail(kCodecError);
  return kOk;
}

Status JpegRowCoder::Put(const uint8_t* const* rows, uint32_t count) {
  if (!state_) return kBadArgument;
  State& st = *state_;
  if (st.failure != kOk) return st.failure;
  if (st.finished || count > st.c.image_height - st.c.next_scanline || (count > 0 && !rows))
    return kBadArgument;
  while (count > 0) {
    const int64_t done = CodeRows(&st.c, rows, count);
    if (done <= 0) return st.Fail(kCodecError);
    rows += done;
    count -= uint32_t(done);
  }
  return kOk;
}

Status JpegRowCoder::Finish() {
  if (!state_) return kBadArgument;
  State& st = *state_;
  if (st.failure != kOk) return st.failure;
  if (st.finished || st.c.next_scanline < st.c.image_height) return kBadArgument;
  if (!FinishCoding(&st.c)) return st.Fail(kCodecError);
  st.finished = true;
  return st.dest.written;
}

uint32_t JpegRowCoder::RowsPut() const { return state_ ? state_->c.next_scanline : 0; }

Status WriteJpegRows(const JpegRows& rows, int quality, int smoothing, const Stream& out) {
  if (!rows.row) return kBadArgument;
  JpegRowCoder coder;
  Status s = coder.Start(rows, quality, smoothing, out);
  if (s != kOk) return s;
  std::vector<uint8_t> scratch(size_t(rows.width) * 3);
  for (uint32_t y = 0; y < rows.height; ++y) {
    const uint8_t* row = rows.row(rows.context, y, scratch.data());
    s = coder.Put(&row, 1);
    if (s != kOk) return s;
  }
  return coder.Finish();
}

Status WriteJpeg(const Image& image, int quality, int smoothing, const Stream& out) {
  if (image.Empty() || image.width > 65500 || image.height > 65500) return kBadArgument;
  if (image.bits != 24 && image.bits > 8) return kUnsupported;
  JpegRows rows;
  rows.width = image.width;
  rows.height = image.height;
  rows.xPelsPerMeter = image.xPelsPerMeter;
  rows.yPelsPerMeter = image.yPelsPerMeter;
  rows.context = &image;
  if (image.bits == 24) {
    rows.input = JpegInput::kBgr;
    rows.row = ImageRow;
  } else {
    rows.input = JpegInput::kGray;
    rows.row = image.bits == 8 && IsGrayRamp(image.palette, 8) ? ImageRow : LumaRow;
  }
  return WriteJpegRows(rows, quality, smoothing, out);
}

}  // namespace imagecore
