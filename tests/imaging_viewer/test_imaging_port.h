// Readers and scalers for the viewer's tests on Windows: TIFF pages and streams through libtiff,
// BMP files as they are, gray copies by area averaging. Blocks are real global memory, so the
// control paints and frees them as it does the library's.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dib_block_port.h"
#include "viewer_geometry.h"

namespace qm_test {

// A packed DIB in a new movable block: 1-bit with a black/white palette, 8-bit gray or 24-bit.
HGLOBAL MakeDib(int32_t width, int32_t height, int bits, int32_t dpiX, int32_t dpiY);
uint8_t* DibBits(BITMAPINFOHEADER* h);
size_t DibRowBytes(int32_t width, int bits);
// A 1-bit page at 200 dpi, white where black(x, y) is false; y counts from the top.
HGLOBAL MakeBilevelDib(int32_t width, int32_t height, const std::function<bool(int32_t, int32_t)>& black);

// Writes a 1-bit page as a TIFF (bottom-up DIB rows turned top-down) or the DIB as a BMP file.
bool WriteTiffOfDib(const std::string& name, HGLOBAL dib);
bool WriteBmpOfDib(const std::string& name, HGLOBAL dib);
std::vector<uint8_t> ReadWholeFile(const std::string& name);

class TestImagingPort : public qm::DibBlockPort {
 public:
  int readCalls = 0;
  qm::DibRef ReadTiffFile(const std::string& name, int bits, int16_t page) override;
  qm::DibRef ReadTiffStream(const qm::TiffStream& stream, int bits, int16_t page) override;
  bool GetFileInfo(const std::string& name, qm::ImageFileFacts& facts) override;
  qm::DibRef ReadImageFile(const std::string& format, const std::string& name, int bits,
                           bool dither) override;
  void GetImageFileInfo(const std::string& name, int16_t page, qm::TiffPageFacts& facts) override;
  void GetInfoStream(const qm::TiffStream& stream, int16_t page, qm::TiffPageFacts& facts) override;
  void ReturnTags(const std::string& name, int16_t page, const qm::TagSink& sink) override;
  void ReturnTagsStream(const qm::TiffStream& stream, int16_t page, const qm::TagSink& sink) override;
  bool ReadTag(const std::string& name, int16_t page, uint16_t tag, int32_t& value) override;
  bool ReadTagStream(const qm::TiffStream& stream, int16_t page, uint16_t tag, int32_t& value) override;
  qm::DibRef ScaleToGray(qm::DibRef dib, int mode, int32_t width, int32_t height) override;
  qm::DibRef Resize(qm::DibRef dib, int32_t width, int32_t height, int bits) override;
};

}  // namespace qm_test
