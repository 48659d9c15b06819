#include "djvu_ocr_request.h"

#include <windows.h>

#include <string>
#include <vector>

#include "codecs.h"
#include "djvu_page_render.h"
#include "file_stream.h"
#include "path_text.h"
#include "plugin_status.h"
#include "stream.h"

namespace fileplugins {

namespace {

typedef int32_t(__stdcall* RecognizeTextProc)(const char* image, const char* text);

// djvuocr.dll beside this plug-in, loaded for one request.
HMODULE LoadRecognizer() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const char*>(&LoadRecognizer), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path);
  folder = folder.substr(0, folder.find_last_of('\\') + 1);
  return LoadLibraryA((folder + "djvuocr.dll").c_str());
}

std::string TextFileOf(const std::string& work) {
  const size_t dot = work.find_last_of('.');
  const size_t slash = work.find_last_of("\\/");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? work.substr(0, dot) : work) + ".txt";
}

}  // namespace

int32_t RecognizeDjvuText(const char* workFile, const char* djvuFile) {
  if (!workFile || !djvuFile) return kPluginBadArgument;
  imagecore::Image page;
  if (!RenderDjvuPage(djvuFile, page)) return kPluginBadFile;
  std::vector<uint8_t> bmp;
  imagecore::MemoryStream out(bmp);
  if (imagecore::WriteBmp(page, out.AsStream()) != imagecore::kOk ||
      dibglue::WriteWholeFile(dibglue::Utf8OfAnsi(workFile).c_str(), bmp) != imagecore::kOk)
    return kPluginWriteFailed;
  HMODULE recognizer = LoadRecognizer();
  if (!recognizer) return kPluginNoWriter;
  const auto recognize = reinterpret_cast<RecognizeTextProc>(
      reinterpret_cast<void*>(GetProcAddress(recognizer, "RecognizeText")));
  const int32_t rc = !recognize ? kPluginNoWriter
                     : recognize(workFile, TextFileOf(workFile).c_str()) == 0 ? kPluginOk
                                                                              : kPluginWriteFailed;
  FreeLibrary(recognizer);
  return rc;
}

}  // namespace fileplugins
