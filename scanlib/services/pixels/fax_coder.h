// Fax coding of bilevel rows, used to count the bytes a page codes to (the blank-page test).
// Rows hold one bit per pixel, most significant bit first, 1 = black, 0 = white; the coded
// width is the whole row (bytes per row x 8 pixels).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixels {

enum class FaxCoding : int {
  kOneDimensional = 2,  // T.4 modified Huffman
  kTwoDimensional = 4,  // T.6
};

struct FaxCodingParams {
  int32_t xResolution = 72;  // dots per inch
  int32_t yResolution = 72;
  uint32_t rowBits = 0;      // bytes per row x 8
  uint32_t rows = 0;
  uint16_t bitsPerPixel = 1;
  uint16_t samplesPerPixel = 1;
  uint32_t bytesPerRow = 0;
  FaxCoding coding = FaxCoding::kTwoDimensional;
};

// Collects codes most significant bit first. Coded data is not kept: each row's bytes are only
// counted, unless a sink is given (tests compare the code with another coder's).
class FaxBitWriter {
 public:
  explicit FaxBitWriter(std::vector<uint8_t>* sink = nullptr) : sink_(sink) {}

  void Put(uint32_t bits, uint32_t length);
  // Zero bits up to the next byte boundary.
  void FillToByte();
  // Adds the bytes completed since the last call to the total.
  void EndRow();
  // Flushes a partly filled byte into the current count.
  void FlushPartialByte();

  uint64_t RowBytes() const { return rowBytes_; }
  uint64_t Total() const { return total_; }
  uint32_t FreeBits() const { return freeBits_; }
  void AddToTotal(uint64_t bytes) { total_ += bytes; }

 private:
  void Emit(uint8_t byte);

  std::vector<uint8_t>* sink_;
  uint64_t rowBytes_ = 0;  // bytes completed in the current row
  uint8_t pending_ = 0;
  uint32_t freeBits_ = 8;  // 8 = the pending byte is empty
  uint64_t total_ = 0;
};

// Codes a page row by row. The reference row of two-dimensional coding starts as all ones
// unless `initialReference` says otherwise.
class FaxPageCoder {
 public:
  FaxPageCoder(const FaxCodingParams& params, FaxBitWriter& writer,
               uint8_t initialReference = 0xFF);

  void EncodeRow(const uint8_t* row);
  // End of page (EOFB for T.6, RTC for T.4), the last byte counted whole, the total made even.
  // Answers the total of coded bytes.
  uint64_t Close();

 private:
  void EncodeRow2D(const uint8_t* row);
  void EncodeRow1D(const uint8_t* row);
  void PutRun(uint32_t run, bool black);

  FaxCodingParams params_;
  FaxBitWriter& writer_;
  std::vector<uint8_t> reference_;  // bytes per row + 2
  bool firstRow_ = true;
};

// Codes `rows` rows of `bytesPerRow` bytes following each other from `firstRow`.
void EncodeFaxPage(FaxPageCoder& coder, const uint8_t* firstRow, uint32_t bytesPerRow,
                   uint32_t rows);

}  // namespace pixels
