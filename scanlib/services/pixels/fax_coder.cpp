#include "fax_coder.h"

#include <algorithm>
#include <cstring>

#include "fax_code_tables.h"

namespace pixels {

namespace {

inline bool Pixel(const uint8_t* row, uint32_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// The first position from `start` whose pixel differs from `colour`; `width` when none.
uint32_t NextOfColour(const uint8_t* row, uint32_t start, uint32_t width, bool colour) {
  uint32_t x = start;
  const uint8_t skip = colour ? 0xFF : 0x00;
  while (x < width && (x & 7) != 0) {
    if (Pixel(row, x) != colour) return x;
    ++x;
  }
  while (x + 8 <= width && row[x >> 3] == skip) x += 8;
  while (x < width && Pixel(row, x) == colour) ++x;
  return std::min(x, width);
}

}  // namespace

void FaxBitWriter::Emit(uint8_t byte) {
  if (sink_) sink_->push_back(byte);
  ++rowBytes_;
}

void FaxBitWriter::Put(uint32_t bits, uint32_t length) {
  while (length > 0) {
    const uint32_t take = std::min(length, freeBits_);
    const uint32_t part = (bits >> (length - take)) & ((1u << take) - 1);
    pending_ = uint8_t(pending_ | (part << (freeBits_ - take)));
    freeBits_ -= take;
    length -= take;
    if (freeBits_ == 0) {
      Emit(pending_);
      pending_ = 0;
      freeBits_ = 8;
    }
  }
}

void FaxBitWriter::FillToByte() {
  if (freeBits_ != 8) Put(0, freeBits_);
}

void FaxBitWriter::EndRow() {
  total_ += rowBytes_;
  rowBytes_ = 0;
}

void FaxBitWriter::FlushPartialByte() { FillToByte(); }

FaxPageCoder::FaxPageCoder(const FaxCodingParams& params, FaxBitWriter& writer,
                           uint8_t initialReference)
    : params_(params), writer_(writer), reference_(params.bytesPerRow + 2, initialReference) {}

void FaxPageCoder::PutRun(uint32_t run, bool black) {
  while (run > 2623) {
    const FaxCode& c = kExtendedMakeUp[12];  // 2560
    writer_.Put(c.bits, c.length);
    run -= 2560;
  }
  if (run >= 64) {
    const uint32_t makeUp = run / 64 * 64;
    const FaxCode& c = makeUp <= 1728 ? (black ? kBlackMakeUp : kWhiteMakeUp)[makeUp / 64 - 1]
                                      : kExtendedMakeUp[(makeUp - 1792) / 64];
    writer_.Put(c.bits, c.length);
    run -= makeUp;
  }
  const FaxCode& t = (black ? kBlackTerminating : kWhiteTerminating)[run];
  writer_.Put(t.bits, t.length);
}

void FaxPageCoder::EncodeRow2D(const uint8_t* row) {
  const uint32_t width = params_.rowBits;
  const uint8_t* ref = reference_.data();
  // a0 starts on an imaginary white pixel before the row.
  uint32_t a0 = 0;
  bool colour = false;
  bool start = true;
  for (;;) {
    const uint32_t from = start ? 0 : a0 + 1;
    // a1: the next pixel after a0 not of a0's colour.
    const uint32_t a1 = from >= width ? width : NextOfColour(row, from, width, colour);
    // b1: the next change on the reference row after a0 to the colour opposite a0's.
    uint32_t b1 = from >= width ? width : NextOfColour(ref, from, width, colour);
    // The reference pixel at `from` may already be of the opposite colour after a change to
    // a0's colour at or before a0; b1 must be a change, not a continuation.
    if (b1 < width && b1 == from && from > 0 && Pixel(ref, from - 1) != colour) {
      b1 = NextOfColour(ref, NextOfColour(ref, from, width, !colour), width, colour);
    }
    const uint32_t b2 = b1 >= width ? width : NextOfColour(ref, b1, width, !colour);
    if (b2 < a1) {
      writer_.Put(kPassCode.bits, kPassCode.length);
      a0 = b2;
      start = false;
      continue;  // a0 moves, its colour stays
    }
    const int64_t d = int64_t(a1) - int64_t(b1);
    if (d >= -3 && d <= 3) {
      const FaxCode& v = kVerticalCodes[d + 3];
      writer_.Put(v.bits, v.length);
      a0 = a1;
      colour = !colour;
    } else {
      const uint32_t a2 = a1 >= width ? width : NextOfColour(row, a1, width, !colour);
      writer_.Put(kHorizontalCode.bits, kHorizontalCode.length);
      PutRun(a1 - (start ? 0 : a0), colour);
      PutRun(a2 - a1, !colour);
      a0 = a2;
    }
    start = false;
    if (a0 >= width) break;
  }
  std::memcpy(reference_.data(), row, params_.bytesPerRow);
}

void FaxPageCoder::EncodeRow1D(const uint8_t* row) {
  const uint32_t width = params_.rowBits;
  if (firstRow_) {
    writer_.Put(0, 4);
    writer_.Put(kEndOfLine.bits, kEndOfLine.length);
  }
  bool colour = false;
  for (uint32_t x = 0; x < width || x == 0;) {
    const uint32_t end = NextOfColour(row, x, width, colour);
    PutRun(end - x, colour);
    x = end;
    colour = !colour;
    if (x >= width) break;
  }
  // Fill so that the end-of-line code ends on a byte boundary.
  const uint32_t used = (8 - writer_.FreeBits()) % 8;
  const uint32_t fill = (8 + 4 - used) % 8;
  if (fill) writer_.Put(0, fill);
  writer_.Put(kEndOfLine.bits, kEndOfLine.length);
}

void FaxPageCoder::EncodeRow(const uint8_t* row) {
  if (params_.coding == FaxCoding::kOneDimensional) {
    EncodeRow1D(row);
  } else {
    EncodeRow2D(row);
  }
  firstRow_ = false;
  writer_.EndRow();
}

uint64_t FaxPageCoder::Close() {
  const uint64_t before = writer_.Total();
  if (params_.coding == FaxCoding::kOneDimensional) {
    for (int i = 0; i < 6; ++i) writer_.Put(kEndOfLine.bits, kEndOfLine.length);
  } else {
    writer_.Put(kEndOfLine.bits, kEndOfLine.length);
    writer_.Put(kEndOfLine.bits, kEndOfLine.length);
  }
  writer_.FlushPartialByte();
  const bool pad = ((writer_.RowBytes() ^ before) & 1) != 0;
  writer_.EndRow();  // the closing bytes
  if (pad) writer_.AddToTotal(1);
  return writer_.Total();
}

void EncodeFaxPage(FaxPageCoder& coder, const uint8_t* firstRow, uint32_t bytesPerRow,
                   uint32_t rows) {
  for (uint32_t y = 0; y < rows; ++y) coder.EncodeRow(firstRow + size_t(y) * bytesPerRow);
}

}  // namespace pixels
