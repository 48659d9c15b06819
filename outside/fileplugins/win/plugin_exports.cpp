// The entry points of one file-format plug-in. Every File*.dll is built from this file, told
// its format by FILEPLUGIN_KIND; its .def file lists what it exports.
#include <windows.h>

#include <cstring>
#include <type_traits>

#include "code_list.h"
#include "file_plugin.h"
#include "file_stream.h"
#include "file_target.h"
#include "global_dib.h"
#include "image_reader.h"
#include "line_session.h"
#include "page_info.h"
#include "path_text.h"
#include "whole_file_save.h"
#ifdef FILEPLUGIN_WITH_DJVU
#include "djvu_document.h"
#include "djvu_ocr_request.h"
#endif

using namespace fileplugins;

namespace {

const FormatRule& Rule() { return RuleFor(FileKind::FILEPLUGIN_KIND); }

// One scan writes through one plug-in at a time; the library calls it from one thread.
struct PluginState {
#ifdef FILEPLUGIN_WITH_DJVU
  PluginState() { RegisterWriter(FileKind::kDjvu, MakeDjvuWriter); }
#endif
  FileTarget lineTarget;  // declared first: outlives the session that writes through it
  LineSession session{Rule(), lineTarget};
  ImageFileReader reader;
  uint32_t pageIndex = 0;
};

PluginState& State() {
  static PluginState state;
  return state;
}

int32_t QualityOf(const FileSaveOptions* options) {
  return options ? options->Quality : kDefaultCompressQuality;
}

}  // namespace

extern "C" {

int32_t __stdcall GetFileExtStr(char* text) {
  if (!text) return kPluginBadArgument;
  std::strcpy(text, Rule().extension);
  return kPluginOk;
}

int32_t __stdcall GetFileExts(uint16_t** list, int32_t* count, int32_t) {
  return HandOutCodes(ReportedFormats(Rule()), list, count);
}

int32_t __stdcall GetCompMode(uint16_t** list, int32_t* count, int32_t have) {
  return AppendCodes(Rule().modes, list, count, have);
}

int32_t __stdcall FileCreate(const char* name, ScanPageInfo* page, const FileSaveOptions* options) {
  return State().session.Create(name, page, QualityOf(options));
}

int32_t __stdcall FileSave(const void* rows, int32_t rowBytes, int32_t rowCount, int32_t received,
                           int32_t) {
  return State().session.Save(rows, rowBytes, rowCount, received);
}

int32_t __stdcall FileClose(int32_t keepOpen) { return State().session.Close(keepOpen); }

int32_t __stdcall CloseImageFile() {
  State().reader = ImageFileReader{};
  State().pageIndex = 0;
  return kPluginOk;
}

int32_t __stdcall OpenImageFile(const char* name, int32_t* pageCount, intptr_t, intptr_t) {
  CloseImageFile();
  if (!FileNameFits(name)) return kPluginBadName;
  std::vector<uint8_t> bytes;
  const imagecore::Status read = dibglue::ReadWholeFile(dibglue::Utf8OfAnsi(name).c_str(), bytes);
  if (read == imagecore::kOpenFailed) return kPluginOpenFailed;
  if (read != imagecore::kOk) return kPluginBadFile;
  const PluginStatus s = State().reader.Open(std::move(bytes), Rule().kind);
  if (s != kPluginOk) return s;
  if (pageCount) *pageCount = int32_t(State().reader.Pages());
  return kPluginOk;
}

int32_t __stdcall SetPageIndex(int32_t index, intptr_t) {
  if (State().reader.Pages() == 0) return kPluginNoImageOpen;
  if (index < 0 || uint32_t(index) >= State().reader.Pages()) return kPluginBadPageIndex;
  State().pageIndex = uint32_t(index);
  return kPluginOk;
}

int32_t __stdcall GetImageData(HGLOBAL* dib, ScanPageInfo* info, intptr_t, intptr_t) {
  if (!dib) return kPluginBadArgument;
  *dib = nullptr;
  imagecore::Image image;
  const PluginStatus s = State().reader.ReadPage(State().pageIndex, image);
  if (s != kPluginOk) return s;
  HGLOBAL block = dibglue::HandleFromImage(image);
  if (!block) return kPluginNoMemory;
  if (info) DescribePage(image, *info);
  *dib = block;
  return kPluginOk;
}

int32_t __stdcall FileSaveAs(const char* source, HGLOBAL dib, const char* target, intptr_t,
                             intptr_t, const FileSaveOptions* options) {
  State();  // registers a writer kept outside the core
#ifdef FILEPLUGIN_WITH_DJVU
  // The scan library's recognition request: no target, the DjVu file's name in place of a DIB.
  if (!target && source && dib) return RecognizeDjvuText(source, reinterpret_cast<const char*>(dib));
#endif
  std::vector<RawPage> pages;
  if (source) {
    if (!FileNameFits(source)) return kPluginBadName;
    std::vector<uint8_t> bytes;
    const imagecore::Status read = dibglue::ReadWholeFile(dibglue::Utf8OfAnsi(source).c_str(), bytes);
    if (read == imagecore::kOpenFailed) return kPluginOpenFailed;
    if (read != imagecore::kOk) return kPluginBadFile;
    std::vector<imagecore::Image> images;
    PluginStatus s = ReadAllPages(bytes, source, images);
    if (s != kPluginOk) return s;
    for (const imagecore::Image& image : images) {
      RawPage page;
      s = PageFromImage(image, page);
      if (s != kPluginOk) return s;
      pages.push_back(std::move(page));
    }
  } else if (dib) {
    imagecore::Image image;
    if (dibglue::ImageFromHandle(dib, image) != imagecore::kOk) return kPluginBadArgument;
    RawPage page;
    const PluginStatus s = PageFromImage(image, page);
    if (s != kPluginOk) return s;
    pages.push_back(std::move(page));
  } else {
    return kPluginBadArgument;
  }
  const uint16_t mode = SaveAsMode(Rule(), options ? options->Compressed != 0 : true,
                                   options ? options->Jpeg != 0 : false);
  FileTarget out;
  return SaveWholeDocument(Rule(), pages, mode, QualityOf(options), target, out);
}

}  // extern "C"

// The entry points keep the contract's types exactly.
static_assert(std::is_same_v<decltype(&FileCreate), FileCreateProc>);
static_assert(std::is_same_v<decltype(&FileSave), FileSaveProc>);
static_assert(std::is_same_v<decltype(&FileClose), FileCloseProc>);
static_assert(std::is_same_v<decltype(&GetFileExts), GetFileExtsProc>);
static_assert(std::is_same_v<decltype(&GetFileExtStr), GetFileExtStrProc>);
static_assert(std::is_same_v<decltype(&GetCompMode), GetCompModeProc>);
static_assert(std::is_same_v<decltype(&OpenImageFile), OpenImageFileProc>);
static_assert(std::is_same_v<decltype(&GetImageData), GetImageDataProc>);
static_assert(std::is_same_v<decltype(&SetPageIndex), SetPageIndexProc>);
static_assert(std::is_same_v<decltype(&CloseImageFile), CloseImageFileProc>);
static_assert(std::is_same_v<decltype(&FileSaveAs), FileSaveAsProc>);
