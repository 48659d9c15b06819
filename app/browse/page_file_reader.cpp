#include "page_file_reader.h"

#include "batch_names.h"
#include "win_ini_file.h"

namespace tarnwick {

HGLOBAL ReadPageFile(const std::string& file, QmFileInfo& info) {
  info = QmFileInfo();
  if (!GetFileInfo(file, info)) return nullptr;
  switch (ReaderForType(info.format)) {
    case PageReader::Bmp: return ReadBmpFile(file, 0, false, nullptr, nullptr);
    case PageReader::Png: return ReadPngFile(file, 0, false, nullptr, nullptr);
    case PageReader::Gif: return ReadGifFile(file, 0, false, nullptr, nullptr);
    case PageReader::Pcx: return ReadPcxFile(file, 0, false, nullptr, nullptr);
    case PageReader::Jpeg: return ReadJpgFile(file, 0, false, nullptr, nullptr);
    case PageReader::Pcd: return ReadPcdFile(file, 0, false, 0, nullptr, nullptr);
    case PageReader::Tga: return ReadTgaFile(file, 0, false, nullptr, nullptr);
    case PageReader::Tiff: {
      QmPageInfo page;
      GetImageFileInfo(file, kPageFileTiffPage, page);
      return ReadTiffFile(file, 0, false, kPageFileTiffPage, nullptr, nullptr);
    }
    case PageReader::None: break;
  }
  return nullptr;
}

std::vector<std::string> FileListEntries(HWND list) {
  std::vector<std::string> names;
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    if (length < 0) continue;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    names.push_back(Utf8Of(text));
  }
  return names;
}

SIZE_T PageBlockSize(HGLOBAL dib) { return dib ? GlobalSize(dib) : 0; }

}  // namespace tarnwick
