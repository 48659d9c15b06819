// The viewer's imaging port over the imaging library's own bindings: the file-format library
// for reading, page information and tags, the image-processing library for gray copies and
// resizing, ErrorInvalid for failures and the bindings' operation text and error record.
#pragma once
#include "dib_block_port.h"

namespace qm {

class PictorelImagingPort : public DibBlockPort {
 public:
  // sender is handed through to progress: the viewer the work is done for.
  PictorelImagingPort(void* sender, int16_t(__cdecl* progress)(int16_t, void*))
      : sender_(sender), progress_(progress) {}

  DibRef ReadTiffFile(const std::string& name, int bits, int16_t page) override;
  DibRef ReadTiffStream(const TiffStream& stream, int bits, int16_t page) override;
  bool GetFileInfo(const std::string& name, ImageFileFacts& facts) override;
  DibRef ReadImageFile(const std::string& format, const std::string& name, int bits,
                       bool dither) override;
  void GetImageFileInfo(const std::string& name, int16_t page, TiffPageFacts& facts) override;
  void GetInfoStream(const TiffStream& stream, int16_t page, TiffPageFacts& facts) override;
  void ReturnTags(const std::string& name, int16_t page, const TagSink& sink) override;
  void ReturnTagsStream(const TiffStream& stream, int16_t page, const TagSink& sink) override;
  bool ReadTag(const std::string& name, int16_t page, uint16_t tag, int32_t& value) override;
  bool ReadTagStream(const TiffStream& stream, int16_t page, uint16_t tag, int32_t& value) override;
  DibRef ScaleToGray(DibRef dib, int mode, int32_t width, int32_t height) override;
  DibRef Resize(DibRef dib, int32_t width, int32_t height, int bits) override;
  void Free(DibRef dib) override;
  // Page maintenance, writing and image edits (pictorel_page_port.cpp).
  bool DeletePage(const std::string& name, int16_t page) override;
  bool DeletePageStream(const TiffStream& tiff, int16_t page, TiffStream& result) override;
  bool PackTiff(const std::string& name) override;
  bool PackTiffStream(const TiffStream& tiff, TiffStream& result) override;
  bool ReplaceTiffPage(const std::string& name, int compression, int16_t page, DibRef dib,
                       int bits) override;
  bool ReplaceTiffPageStream(const TiffStream& tiff, int compression, int16_t page, DibRef dib,
                             int bits, TiffStream& result) override;
  bool WriteTiffFile(const std::string& name, int compression, bool append, DibRef dib,
                     int bits) override;
  bool InsertTiffPage(const std::string& name, int compression, int16_t page, DibRef dib,
                      int bits) override;
  int TiffWriteBitDepth(int colorOption) override;
  DibRef Rotate(DibRef dib, uint32_t fill, double angle) override;
  DibRef Mirror(DibRef dib, int first, int second) override;
  bool Invert(DibRef dib) override;
  double MeasureSkew(DibRef dib, int subsampling, int grayValue, double range,
                     double angleResolution, double lineResolution) override;
  void LastDllError(int16_t& code, std::string& text) override;
  void SetOperationText(const std::string& text) override;
  std::string OperationText() override;
  [[noreturn]] void Raise(const std::string& message) override;

 private:
  void* sender_;
  int16_t(__cdecl* progress_)(int16_t, void*);
};

}  // namespace qm
