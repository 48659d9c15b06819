// The scan library's recognition request to the DjVu plug-in: FileSaveAs with no target, the
// work file as the source and the DjVu file's name where a page DIB would be. The page is
// rendered into the work file (a BMP) and read by djvuocr.dll, loaded for the request only; the
// words go into the work file's name with ".txt".
#pragma once
#include <cstdint>

namespace fileplugins {

int32_t RecognizeDjvuText(const char* workFile, const char* djvuFile);

}  // namespace fileplugins
