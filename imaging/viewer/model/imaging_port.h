// What the viewer's logic needs from the imaging bindings and the page-DIB blocks. The viewer
// control implements it over the file-format and image-processing libraries and global memory;
// tests implement it with fakes that fail on demand.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qm {

// A page DIB block: the global memory handle on Windows, any non-zero token in a fake; 0 = none.
using DibRef = std::uintptr_t;

struct DibFacts {
  int32_t width = 0;
  int32_t height = 0;
  int bitCount = 0;
  int32_t xPixelsPerMetre = 0;
  int32_t yPixelsPerMetre = 0;
};

struct ImageFileFacts {
  std::string format;  // "BMP", "PNG", "GIF", "PCX", "JPEG", "PCD", "TGA", "TIFF"
  int32_t width = 0, height = 0;
  int bitsPerPixel = 0;
  std::string description;
};

struct TiffPageFacts {
  int32_t width = 0, height = 0;
  int16_t bitsPerPixel = 0;
  int16_t pageCount = 0;
  std::string compression;
};

struct TagReport {
  uint16_t tag = 0;
  int16_t length = 0;
  int32_t value = 0;
  std::string text;  // the data text of values of 5 bytes or more
  std::string name;  // from the tag-name table
  bool readOnly = false;
};

// A TIFF held in memory by the caller; the viewer keeps a pointer, never the bytes.
using TiffStream = std::vector<uint8_t>;

using TagSink = std::function<bool(const TagReport&)>;  // false stops the enumeration

class ImagingPort {
 public:
  virtual ~ImagingPort() = default;

  virtual bool FileExists(const std::string& name) = 0;
  virtual int64_t FileSize(const std::string& name) = 0;  // -1 when it cannot be opened

  // Readers answer 0 when no block came back.
  virtual DibRef ReadTiffFile(const std::string& name, int bits, int16_t page) = 0;
  virtual DibRef ReadTiffStream(const TiffStream& stream, int bits, int16_t page) = 0;
  virtual bool GetFileInfo(const std::string& name, ImageFileFacts& facts) = 0;
  virtual DibRef ReadImageFile(const std::string& format, const std::string& name, int bits,
                               bool dither) = 0;
  // Throw when the library fails inside; the viewer turns that into its own message.
  virtual void GetImageFileInfo(const std::string& name, int16_t page, TiffPageFacts& facts) = 0;
  virtual void GetInfoStream(const TiffStream& stream, int16_t page, TiffPageFacts& facts) = 0;
  virtual void ReturnTags(const std::string& name, int16_t page, const TagSink& sink) = 0;
  virtual void ReturnTagsStream(const TiffStream& stream, int16_t page, const TagSink& sink) = 0;
  virtual bool ReadTag(const std::string& name, int16_t page, uint16_t tag, int32_t& value) = 0;
  virtual bool ReadTagStream(const TiffStream& stream, int16_t page, uint16_t tag,
                             int32_t& value) = 0;

  virtual DibFacts Facts(DibRef dib) = 0;
  virtual void SetPixelsPerMetre(DibRef dib, int32_t x, int32_t y) = 0;
  virtual void InvertPixelRows(DibRef dib, size_t bytes) = 0;
  virtual DibRef Duplicate(DibRef dib) = 0;  // raises "Can't allocate memory"
  virtual void Free(DibRef dib) = 0;
  virtual DibRef ScaleToGray(DibRef dib, int mode, int32_t width, int32_t height) = 0;
  virtual DibRef Resize(DibRef dib, int32_t width, int32_t height, int bits) = 0;
  virtual int ScreenBitDepth() = 0;  // 4, 8 or 24

  // Page maintenance and writing in the file-format library: False when the library failed
  // (LastDllError says why). Stream variants read the TIFF and give the new one in result, so
  // that the caller's bytes change only after a success. compression is the TIFF code.
  virtual bool DeletePage(const std::string& name, int16_t page) { return Unavailable(); }
  virtual bool DeletePageStream(const TiffStream& tiff, int16_t page, TiffStream& result) {
    return Unavailable();
  }
  virtual bool PackTiff(const std::string& name) { return Unavailable(); }
  virtual bool PackTiffStream(const TiffStream& tiff, TiffStream& result) { return Unavailable(); }
  virtual bool ReplaceTiffPage(const std::string& name, int compression, int16_t page, DibRef dib,
                               int bits) {
    return Unavailable();
  }
  virtual bool ReplaceTiffPageStream(const TiffStream& tiff, int compression, int16_t page,
                                     DibRef dib, int bits, TiffStream& result) {
    return Unavailable();
  }
  // append False writes a new file.
  virtual bool WriteTiffFile(const std::string& name, int compression, bool append, DibRef dib,
                             int bits) {
    return Unavailable();
  }
  virtual bool InsertTiffPage(const std::string& name, int compression, int16_t page, DibRef dib,
                              int bits) {
    return Unavailable();
  }
  // Bits per pixel that a TIFF is written with for a colour option (the screen decides the
  // automatic one).
  virtual int TiffWriteBitDepth(int colorOption) { return 1; }

  // Image processing: new blocks (0 when the library failed) unless said otherwise.
  virtual DibRef Rotate(DibRef dib, uint32_t fill, double angle) { return 0; }
  // The library mirrors the block in place and answers a copy of it.
  virtual DibRef Mirror(DibRef dib, int first, int second) { return 0; }
  virtual bool Invert(DibRef dib) { return false; }  // in place
  virtual double MeasureSkew(DibRef dib, int subsampling, int grayValue, double range,
                             double angleResolution, double lineResolution) {
    return 0;
  }
  // Bytes of pixel rows the block really holds after its header and colour table.
  virtual size_t PixelBytes(DibRef dib) { return 0; }

  // The last failure the file-format library reported.
  virtual void LastDllError(int16_t& code, std::string& text) {
    code = 0;
    text.clear();
  }

  virtual void SetOperationText(const std::string& text) = 0;
  virtual std::string OperationText() = 0;
  [[noreturn]] virtual void Raise(const std::string& message) = 0;

 private:
  static bool Unavailable() { return false; }
};

}  // namespace qm
