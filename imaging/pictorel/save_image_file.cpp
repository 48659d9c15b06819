#include "save_image_file.h"

#include <algorithm>

#include "crde_bindings.h"
#include "error_invalid.h"
#include "pictorel_tables.h"

int ScreenBitDepth(HDC dc) { return ScreenBitDepthFor(GetDeviceCaps(dc, BITSPIXEL)); }

int FormatBitDepth(const std::string& extension, int option) {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  int screen = ScreenBitDepth(dc);
  ReleaseDC(desktop, dc);
  return FormatBitDepthFor(extension, option, screen);
}

int FormatBitDepthCanvas(const std::string& extension, int option, HDC canvas) {
  return FormatBitDepthFor(extension, option, ScreenBitDepth(canvas));
}

void SaveImageFile(const std::string& file, HGLOBAL dib, uint8_t option, uint8_t kind, uint8_t tiffCompression,
                   uint8_t tiffSaveOption, int32_t insertPage, int32_t jpegQuality, int32_t jpegSmoothing,
                   int16_t pngInterlace, void* sender, QmProgressProc progress) {
  if (!dib || GlobalSize(dib) < 10) throw ErrorInvalid(pictorel_text::kInputEmpty);
  // Only a writer that was called and failed is reported; a kind or TIFF option outside the
  // table calls none and writes nothing.
  bool written = true;
  switch (kind) {
    case 0: case 1:
      written = WriteJpgFile(file, jpegQuality, jpegSmoothing, FormatBitDepth("jpg", option), dib, sender, progress);
      break;
    case 2:
      written = WritePngFile(file, FormatBitDepth("png", option), pngInterlace, dib, sender, progress);
      break;
    case 3: case 4: {
      int code = TiffCompressionCode(tiffCompression), bits = FormatBitDepth("tif", option);
      if (tiffSaveOption == 0) written = WriteTiffFile(file, code, bits, true, dib, sender, progress);
      else if (tiffSaveOption == 1) written = WriteTiffFile(file, code, bits, false, dib, sender, progress);
      else if (tiffSaveOption == 2) written = InsertTiffPage(file, code, bits, insertPage, dib, sender, progress);
      break;
    }
    case 5: written = WriteGifFile(file, FormatBitDepth("gif", option), dib, sender, progress); break;
    case 6: written = WriteTgaFile(file, FormatBitDepth("tga", option), dib, sender, progress); break;
    case 7: throw ErrorInvalid(pictorel_text::kPcdSave);
    case 8: written = WritePcxFile(file, FormatBitDepth("pcx", option), dib, sender, progress); break;
    case 9: written = WriteBmpFile(file, FormatBitDepth("bmp", option), dib, sender, progress); break;
    default: break;
  }
  if (!written) throw ErrorInvalid(pictorel_text::kCouldNotWrite);
}

std::string AppName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path);
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(tolower(c)); });
  return name;
}

void WriteTwainIni(bool autoResolution, int xResolution, int yResolution) {
  const char* section = "Pictorel Twain";
  WritePrivateProfileStringA(section, "AutoRes", autoResolution ? "1" : "0", "qmtwain.ini");
  WritePrivateProfileStringA(section, "XRes", std::to_string(xResolution).c_str(), "qmtwain.ini");
  WritePrivateProfileStringA(section, "YRes", std::to_string(yResolution).c_str(), "qmtwain.ini");
}

namespace {

// Start-up of the unit: the program's name and the default resolutions go to qmtwain.ini.
struct TwainIniAtStart {
  TwainIniAtStart() {
    WritePrivateProfileStringA("Pictorel Twain", "App Name", AppName().c_str(), "qmtwain.ini");
    WriteTwainIni(false, 200, 200);
  }
};

}  // namespace

// Called by the program once at start-up.
void PictorelStartUp() { static TwainIniAtStart once; }
