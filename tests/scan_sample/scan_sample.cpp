// A caller of pavlot.dll as the application is one: the library loaded by name, the source
// chosen, resolution, pixel type, paper and feeder set, N pages scanned as page DIBs, each
// written to pageNNNN.bmp and freed.
//
//   scan_sample [--kind 0|1|2] [--source NAME] [--dpi N] [--pixel bw|gray|colour]
//               [--paper letter|a4|legal] [--feeder 0|1] [--duplex 0|1] [--pages N] [--out DIR]
//               [--file NAME [--multipage 0|1|2]]
//
// With --file the library writes the pages itself (file transfer) through the plug-in for the
// name's extension, and the sample prints every file name it is told of ("file: NAME").
// Exit code 0 when the scan ended without error and every page was written.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scan_page_info.h"
#include "scan_prop_rec.h"

namespace {

struct Options {
  int kind = -2;  // -2: keep the stored driver kind
  std::string source;
  int dpi = 150;
  int pixelType = 1;
  float paperWidth = 8.5f, paperLength = 11.0f;
  int feeder = 1;
  int duplex = 0;
  int pages = 1;
  std::string out = ".";
  std::string file;     // file transfer to this name
  int multiPage = 0;
};

struct Pavlot {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetSource)(const char*) = nullptr;
  int32_t(__stdcall* ZebSetProp)(TScanPropRec) = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebAcquire)(PageCallbackProc) = nullptr;
};

template <typename T>
bool Bind(HMODULE module, T& slot, const char* name) {
  slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (slot == nullptr) std::fprintf(stderr, "pavlot.dll has no %s\n", name);
  return slot != nullptr;
}

bool LoadPavlot(Pavlot* p) {
  p->module = LoadLibraryA("pavlot.dll");
  if (p->module == nullptr) {
    std::fprintf(stderr, "pavlot.dll cannot be loaded (error %lu)\n", GetLastError());
    return false;
  }
  return Bind(p->module, p->ZebLoad, "ZebLoad") && Bind(p->module, p->ZebFree, "ZebFree") &&
         Bind(p->module, p->ZebSetSource, "ZebSetSource") &&
         Bind(p->module, p->ZebSetProp, "ZebSetProp") &&
         Bind(p->module, p->ZebSetValue, "ZebSetValue") &&
         Bind(p->module, p->ZebAcquire, "ZebAcquire");
}

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) {
      std::fprintf(stderr, "%s needs a value\n", a.c_str());
      return false;
    }
    const std::string v = argv[++i];
    if (a == "--kind") o->kind = std::atoi(v.c_str());
    else if (a == "--source") o->source = v;
    else if (a == "--dpi") o->dpi = std::atoi(v.c_str());
    else if (a == "--feeder") o->feeder = std::atoi(v.c_str());
    else if (a == "--duplex") o->duplex = std::atoi(v.c_str());
    else if (a == "--pages") o->pages = std::atoi(v.c_str());
    else if (a == "--out") o->out = v;
    else if (a == "--file") o->file = v;
    else if (a == "--multipage") o->multiPage = std::atoi(v.c_str());
    else if (a == "--pixel" && (v == "bw" || v == "gray" || v == "colour")) {
      o->pixelType = v == "bw" ? 0 : v == "gray" ? 1 : 2;
    } else if (a == "--paper" && (v == "letter" || v == "a4" || v == "legal")) {
      o->paperWidth = v == "a4" ? 8.268f : 8.5f;
      o->paperLength = v == "a4" ? 11.693f : v == "legal" ? 14.0f : 11.0f;
    } else {
      std::fprintf(stderr, "unknown option or value: %s %s\n", a.c_str(), v.c_str());
      return false;
    }
  }
  if (o->dpi < 1 || o->pages < 1) {
    std::fprintf(stderr, "--dpi and --pages must be positive\n");
    return false;
  }
  return true;
}

// The driver kind is chosen by the stored SOURCE value, as the source dialog leaves it.
void StoreDriverKind(int kind) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD value = static_cast<DWORD>(kind);
  RegSetValueExA(key, "SOURCE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

struct Scan {
  std::string out;
  int wanted = 0;
  int written = 0;
  bool failed = false;
};
Scan gScan;

// The page DIB block as a BMP file: the file header, then the block as it is.
bool WriteBmp(const std::string& path, HGLOBAL dib) {
  const SIZE_T bytes = GlobalSize(dib);
  const auto* block = static_cast<const uint8_t*>(GlobalLock(dib));
  if (block == nullptr || bytes < sizeof(BITMAPINFOHEADER)) return false;
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(block);
  const DWORD colours = info->biBitCount <= 8 ? (info->biClrUsed ? info->biClrUsed : 1u << info->biBitCount) : 0;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof file + info->biSize + 4 * colours);
  const DWORD image = info->biSizeImage ? info->biSizeImage : static_cast<DWORD>(bytes - (file.bfOffBits - sizeof file));
  const DWORD total = file.bfOffBits - static_cast<DWORD>(sizeof file) + image;
  file.bfSize = static_cast<DWORD>(sizeof file) + total;
  bool ok = total <= bytes;
  if (ok) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ok = f != nullptr && std::fwrite(&file, sizeof file, 1, f) == 1 &&
         std::fwrite(block, 1, total, f) == total;
    if (f != nullptr && std::fclose(f) != 0) ok = false;
  }
  GlobalUnlock(dib);
  return ok;
}

int32_t __stdcall OnFile(void* data, uint32_t* size, int32_t event) {
  if (event == 1) {
    std::printf("file: %s\n", static_cast<const char*>(data));
    ++gScan.written;
  }
  return 0;
}

int32_t __stdcall OnPage(void* data, uint32_t* size, int32_t event) {
  if (event == kPageEventInfo) {
    const auto* info = static_cast<const ScanPageInfo*>(data);
    std::printf("page %d: %d x %d, %d bits, %d dpi\n", gScan.written + 1, info->ImageWidth,
                info->ImageLength, info->BitsPerPixel, info->XResolution);
    return 0;
  }
  if (event != 1) return 0;
  HGLOBAL dib = *static_cast<HGLOBAL*>(data);  // ours from here on
  char name[32];
  std::snprintf(name, sizeof name, "page%04d.bmp", gScan.written + 1);
  const std::string path = gScan.out + "\\" + name;
  const bool ok = WriteBmp(path, dib);
  GlobalFree(dib);
  if (!ok) {
    std::fprintf(stderr, "%s cannot be written\n", path.c_str());
    gScan.failed = true;
    return -1;
  }
  ++gScan.written;
  std::printf("%s\n", path.c_str());
  // Enough pages: stop the scan.
  return gScan.written >= gScan.wanted ? -1 : 0;
}

int Run(const Options& o, Pavlot& p) {
  int32_t rc = p.ZebLoad(nullptr);
  if (rc != 0) {
    std::fprintf(stderr, "ZebLoad answered %d\n", rc);
    return 1;
  }
  if (!o.source.empty() && (rc = p.ZebSetSource(o.source.c_str())) != 0) {
    std::fprintf(stderr, "ZebSetSource(\"%s\") answered %d\n", o.source.c_str(), rc);
    return 1;
  }
  TScanPropRec prop{};
  prop.TransMode = static_cast<uint16_t>(o.file.empty() ? 1 : 2);
  prop.PixelType = static_cast<uint16_t>(o.pixelType);
  prop.ScanMethod = static_cast<uint16_t>(o.feeder ? 1 : 2);
  prop.XRes = prop.YRes = o.dpi;
  prop.BitsPerPixel = static_cast<uint16_t>(o.pixelType == 0 ? 1 : o.pixelType == 1 ? 8 : 24);
  prop.Size.DefPaper = 0;
  prop.Size.Unit = 0;  // inches
  prop.Size.Width = o.paperWidth;
  prop.Size.Length = o.paperLength;
  if ((rc = p.ZebSetProp(prop)) != 0) {
    std::fprintf(stderr, "ZebSetProp answered %d\n", rc);
    return 1;
  }
  int16_t duplex = static_cast<int16_t>(o.duplex);
  if ((rc = p.ZebSetValue(0x9101, &duplex)) != 0) {
    std::fprintf(stderr, "FEEDERTYPE %d refused: %d\n", o.duplex, rc);
    return 1;
  }
  int16_t count = static_cast<int16_t>(o.pages);
  p.ZebSetValue(0x9600, &count);  // a driver without a page count is stopped by the callback
  gScan.out = o.out;
  gScan.wanted = o.pages;
  if (!o.file.empty()) {
    char name[129] = {};
    std::snprintf(name, sizeof name, "%s", o.file.c_str());
    // FILEFORMAT picks the plug-in whose choices MULTIPAGE offers.
    const char* dot = std::strrchr(name, '.');
    const std::string ext = dot ? dot + 1 : "";
    int16_t format = ext == "pdf" ? 3 : ext == "bmp" ? 1 : ext == "jpg" ? 2 : 0;
    p.ZebSetValue(0x9301, &format);
    int16_t multiPage = static_cast<int16_t>(o.multiPage);
    if ((rc = p.ZebSetValue(0x9302, name)) != 0 || (rc = p.ZebSetValue(0x9306, &multiPage)) != 0) {
      std::fprintf(stderr, "file name or MULTIPAGE refused: %d\n", rc);
      return 1;
    }
    rc = p.ZebAcquire(OnFile);
    std::printf("ZebAcquire answered %d\n", rc);
    return rc == 0 ? 0 : 1;
  }
  rc = p.ZebAcquire(OnPage);
  // The sample stops the scan after the last page it wants; the driver answers that stop with
  // its own code (-1 from the maker's driver, the cancel code -4 from the TWAIN engine).
  const bool stoppedByUs = rc < 0 && gScan.written >= gScan.wanted && !gScan.failed;
  std::printf("ZebAcquire answered %d, %d page(s) written\n", rc, gScan.written);
  if ((rc != 0 && !stoppedByUs) || gScan.failed || gScan.written != gScan.wanted) return 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) return 2;
  CreateDirectoryA(o.out.c_str(), nullptr);
  if (o.kind != -2) StoreDriverKind(o.kind);
  Pavlot p;
  if (!LoadPavlot(&p)) return 1;
  const int result = Run(o, p);
  p.ZebFree();
  FreeLibrary(p.module);
  return result;
}
