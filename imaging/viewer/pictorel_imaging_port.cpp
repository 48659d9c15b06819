#include "pictorel_imaging_port.h"

#include <cstring>

#include "crde_bindings.h"
#include "dib_handle.h"
#include "error_invalid.h"
#include "isp_bindings.h"
#include "pictorel_tables.h"

namespace qm {

namespace {

DibRef Ref(HGLOBAL h) { return reinterpret_cast<DibRef>(h); }
HGLOBAL H(DibRef d) { return reinterpret_cast<HGLOBAL>(d); }

// What the tag callback needs: the viewer's sink. The file-format library hands it back as the
// callback's data.
struct TagWalk {
  const TagSink* sink;
};

int16_t __cdecl TagCallback(uint16_t tag, int16_t length, int32_t value, HGLOBAL data, void* sender) {
  auto* walk = static_cast<TagWalk*>(sender);
  TagReport report;
  report.tag = tag;
  report.length = length;
  report.value = value;
  if (data) {
    // The text block was made for us: read it and give it back.
    if (length >= 5) {
      if (const char* text = static_cast<const char*>(GlobalLock(data))) {
        report.text.assign(text, strnlen(text, GlobalSize(data)));
        GlobalUnlock(data);
      }
    }
    FreeDibHandle(data);
  }
  report.name = TiffTagName(tag, report.readOnly);
  return walk && walk->sink && (*walk->sink)(report) ? 1 : 0;
}

void ToFacts(const QmPageInfo& info, TiffPageFacts& facts) {
  facts.width = info.width;
  facts.height = info.height;
  facts.bitsPerPixel = static_cast<int16_t>(info.bits);
  facts.pageCount = static_cast<int16_t>(info.pages);
  facts.compression = info.compressionName;
}

}  // namespace

DibRef PictorelImagingPort::ReadTiffFile(const std::string& name, int bits, int16_t page) {
  return Ref(::ReadTiffFile(name, bits, false, page, sender_, progress_));
}

DibRef PictorelImagingPort::ReadTiffStream(const TiffStream& stream, int bits, int16_t page) {
  return Ref(::ReadTiffStream(stream.data(), static_cast<int32_t>(stream.size()), bits, false,
                              page, sender_, progress_));
}

bool PictorelImagingPort::GetFileInfo(const std::string& name, ImageFileFacts& facts) {
  QmFileInfo info;
  bool ok = ::GetFileInfo(name, info);
  facts.format = info.format;
  facts.width = info.width;
  facts.height = info.height;
  facts.bitsPerPixel = info.bits;
  facts.description = info.description;
  return ok;
}

DibRef PictorelImagingPort::ReadImageFile(const std::string& format, const std::string& name,
                                          int bits, bool dither) {
  HGLOBAL h = nullptr;
  if (format == "BMP") h = ReadBmpFile(name, bits, dither, sender_, progress_);
  else if (format == "PNG") h = ReadPngFile(name, bits, dither, sender_, progress_);
  else if (format == "GIF") h = ReadGifFile(name, bits, dither, sender_, progress_);
  else if (format == "PCX") h = ReadPcxFile(name, bits, dither, sender_, progress_);
  else if (format == "JPEG") h = ReadJpgFile(name, bits, dither, sender_, progress_);
  else if (format == "PCD") h = ReadPcdFile(name, bits, dither, 1, sender_, progress_);
  else if (format == "TGA") h = ReadTgaFile(name, bits, dither, sender_, progress_);
  return Ref(h);
}

void PictorelImagingPort::GetImageFileInfo(const std::string& name, int16_t page,
                                           TiffPageFacts& facts) {
  QmPageInfo info;
  ::GetImageFileInfo(name, page, info);
  ToFacts(info, facts);
}

void PictorelImagingPort::GetInfoStream(const TiffStream& stream, int16_t page,
                                        TiffPageFacts& facts) {
  QmPageInfo info;
  ::GetInfoStream(stream.data(), static_cast<int32_t>(stream.size()), page, info);
  ToFacts(info, facts);
}

void PictorelImagingPort::ReturnTags(const std::string& name, int16_t page, const TagSink& sink) {
  TagWalk walk{&sink};
  ::ReturnTags(name, page, &walk, &TagCallback);
}

void PictorelImagingPort::ReturnTagsStream(const TiffStream& stream, int16_t page,
                                           const TagSink& sink) {
  TagWalk walk{&sink};
  ::ReturnTagsStream(stream.data(), static_cast<int32_t>(stream.size()), page, &walk, &TagCallback);
}

bool PictorelImagingPort::ReadTag(const std::string& name, int16_t page, uint16_t tag,
                                  int32_t& value) {
  int length = 0;
  std::string text;
  return ::ReadTag(name, page, tag, length, value, text);
}

bool PictorelImagingPort::ReadTagStream(const TiffStream& stream, int16_t page, uint16_t tag,
                                        int32_t& value) {
  int length = 0;
  std::string text;
  return ::ReadTagStream(stream.data(), static_cast<int32_t>(stream.size()), page, tag, length,
                         value, text);
}

DibRef PictorelImagingPort::ScaleToGray(DibRef dib, int mode, int32_t width, int32_t height) {
  return Ref(ScaleImageToGray(H(dib), mode, width, height));
}

DibRef PictorelImagingPort::Resize(DibRef dib, int32_t width, int32_t height, int bits) {
  return Ref(ResizeImage(H(dib), width, height, bits));
}

void PictorelImagingPort::Free(DibRef dib) { FreeDibHandle(H(dib)); }

void PictorelImagingPort::LastDllError(int16_t& code, std::string& text) {
  code = ::LastDllError().code;
  text = ::LastDllError().text;
}

void PictorelImagingPort::SetOperationText(const std::string& text) { ::OperationText() = text; }
std::string PictorelImagingPort::OperationText() { return ::OperationText(); }
void PictorelImagingPort::Raise(const std::string& message) { throw ErrorInvalid(message); }

}  // namespace qm
