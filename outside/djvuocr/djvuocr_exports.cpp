// djvuocr.dll: the recognition engine of the DjVu plug-in, kept apart so that the plug-in loads
// Tesseract only when text is asked for. The English data lies in "tessdata" beside the DLL.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>

namespace {

std::string FolderOfThisLibrary() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<const char*>(&FolderOfThisLibrary), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

extern "C" {

// Reads the words of `image` (a BMP) into the text file `text`, UTF-8. 0, or -1 when the image
// cannot be read, -2 when the engine cannot start, -3 when the text cannot be written.
int32_t __stdcall RecognizeText(const char* image, const char* text) {
  if (!image || !text) return -1;
  Pix* pix = pixRead(image);
  if (!pix) return -1;
  auto api = std::make_unique<tesseract::TessBaseAPI>();
  const std::string data = FolderOfThisLibrary() + "tessdata";
  if (api->Init(data.c_str(), "eng") != 0) {
    pixDestroy(&pix);
    return -2;
  }
  api->SetImage(pix);
  if (pixGetXRes(pix) < 70) api->SetSourceResolution(300);
  char* words = api->GetUTF8Text();
  int32_t rc = -3;
  if (FILE* out = std::fopen(text, "wb")) {
    if (words) std::fputs(words, out);
    rc = std::fclose(out) == 0 ? 0 : -3;
  }
  delete[] words;
  api->End();
  pixDestroy(&pix);
  return rc;
}

}  // extern "C"
