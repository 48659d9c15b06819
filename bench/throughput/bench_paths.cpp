#include "bench_paths.h"

#include <windows.h>

#include <cstdio>

#include "bench_clock.h"
#include "scan_page_info.h"
#include "scan_prop_rec.h"

namespace {

constexpr uint32_t kCompression = 0x9210, kCompressQuality = 0x920A, kFileFormat = 0x9301,
                   kFileName = 0x9302, kMultiPage = 0x9306, kXferCount = 0x9600, kFeederType = 0x9101;

struct Pavlot {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetProp)(TScanPropRec) = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebAcquire)(PageCallbackProc) = nullptr;
};
Pavlot gPavlot;

struct Received {
  int pages = 0;
  int files = 0;
  bool badDib = false;
};
Received gReceived;

template <typename T>
bool Bind(T& slot, const char* name) {
  slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(gPavlot.module, name)));
  if (!slot) std::fprintf(stderr, "pavlot.dll has no %s\n", name);
  return slot != nullptr;
}

void StoreSetting(const char* keyName, const char* name, DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

// The caller's side of a page DIB: take it over and free it, as an application done with it.
int32_t __stdcall TakePage(void* data, uint32_t*, int32_t event) {
  if (event != kPageBlockLast) return 0;
  HGLOBAL dib = *static_cast<HGLOBAL*>(data);
  if (!dib || GlobalSize(dib) < 40) gReceived.badDib = true;
  GlobalFree(dib);
  ++gReceived.pages;
  return 0;
}

int32_t __stdcall HearFile(void*, uint32_t*, int32_t event) {
  if (event == kPageBlockLast) ++gReceived.files;
  return 0;
}

// Removes the page files of the last scan, one kept as `keep` when that is set; answers how
// many there were.
int EmptyFolder(const std::string& folder, const std::string& keep) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string file = folder + "\\" + found.cFileName;
    if (n == 0 && !keep.empty()) MoveFileExA(file.c_str(), keep.c_str(), MOVEFILE_REPLACE_EXISTING);
    DeleteFileA(file.c_str());
    ++n;
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return n;
}

std::string Code(const char* what, int32_t rc) { return std::string(what) + " answered " + std::to_string(rc); }

}  // namespace

const std::vector<BenchPath>& BenchPaths() {
  using zebsim::PixelKind;
  static const std::vector<BenchPath> paths = {
      {"B/W -> G4 multipage TIFF", PixelKind::BlackWhite, "doc.tif", 0, 5, 1, Floor::kRawG4},
      {"B/W -> G4 TIFF files", PixelKind::BlackWhite, "doc.tif", 0, 5, 0, Floor::kRawG4},
      {"B/W -> PDF", PixelKind::BlackWhite, "doc.pdf", 3, 0, 1, Floor::kRawG4},
      {"B/W page DIBs", PixelKind::BlackWhite, nullptr, 0, 0, 0, Floor::kPageBlock},
      {"gray page DIBs", PixelKind::Gray, nullptr, 0, 0, 0, Floor::kPageBlock},
      {"colour page DIBs", PixelKind::Color, nullptr, 0, 0, 0, Floor::kPageBlock},
      {"gray -> JPEG files", PixelKind::Gray, "doc.jpg", 2, 0, 0, Floor::kRawJpeg},
      {"colour -> JPEG files", PixelKind::Color, "doc.jpg", 2, 0, 0, Floor::kRawJpeg},
  };
  return paths;
}

bool OpenPavlot(int kind, int16_t fileFormat) {
  StoreSetting("Software\\Quandrix", "SOURCE", DWORD(kind));
  StoreSetting("Software\\Quandrix\\ScanData", "FILEFORMAT", DWORD(fileFormat));
  gPavlot.module = LoadLibraryA("pavlot.dll");
  if (!gPavlot.module) {
    std::fprintf(stderr, "pavlot.dll cannot be loaded (error %lu)\n", GetLastError());
    return false;
  }
  if (!Bind(gPavlot.ZebLoad, "ZebLoad") || !Bind(gPavlot.ZebFree, "ZebFree") ||
      !Bind(gPavlot.ZebSetProp, "ZebSetProp") || !Bind(gPavlot.ZebSetValue, "ZebSetValue") ||
      !Bind(gPavlot.ZebAcquire, "ZebAcquire")) {
    ClosePavlot();
    return false;
  }
  const int32_t rc = gPavlot.ZebLoad(nullptr);
  if (rc != 0) {
    std::fprintf(stderr, "ZebLoad over driver kind %d answered %d\n", kind, rc);
    FreeLibrary(gPavlot.module);
    gPavlot = Pavlot{};
    return false;
  }
  return true;
}

void ClosePavlot() {
  if (gPavlot.ZebFree) gPavlot.ZebFree();
  if (gPavlot.module) FreeLibrary(gPavlot.module);
  gPavlot = Pavlot{};
}

double RunPath(const BenchPath& path, const BenchSetup& setup, std::string* why) {
  TScanPropRec prop{};
  prop.TransMode = uint16_t(path.file ? 2 : 1);
  prop.PixelType = uint16_t(path.pixel);
  prop.ScanMethod = 1;  // the feeder, so that XFERCOUNT ends the scan
  prop.XRes = prop.YRes = setup.dpi;
  prop.BitsPerPixel = uint16_t(path.pixel == zebsim::PixelKind::BlackWhite ? 1
                               : path.pixel == zebsim::PixelKind::Gray     ? 8
                                                                           : 24);
  prop.Size.Unit = 0;  // inches: A4
  prop.Size.Width = 8.268f;
  prop.Size.Length = 11.693f;
  int32_t rc = gPavlot.ZebSetProp(prop);
  if (rc != 0) return *why = Code("ZebSetProp", rc), kNotOffered;
  int16_t simplex = 0, count = int16_t(setup.pages), quality = int16_t(setup.compressQuality);
  gPavlot.ZebSetValue(kFeederType, &simplex);
  if ((rc = gPavlot.ZebSetValue(kXferCount, &count)) != 0) return *why = Code("XFERCOUNT", rc), kNotOffered;
  if (path.file) {
    char name[129] = {};
    std::snprintf(name, sizeof name, "%s\\%s", setup.folder.c_str(), path.file);
    int16_t format = path.format, compression = path.compression, multipage = path.multipage;
    if ((rc = gPavlot.ZebSetValue(kFileFormat, &format)) != 0) return *why = Code("FILEFORMAT", rc), kNotOffered;
    if ((rc = gPavlot.ZebSetValue(kCompression, &compression)) != 0) return *why = Code("COMPRESSION", rc), kNotOffered;
    gPavlot.ZebSetValue(kCompressQuality, &quality);
    if ((rc = gPavlot.ZebSetValue(kFileName, name)) != 0) return *why = Code("the file name", rc), kNotOffered;
    if ((rc = gPavlot.ZebSetValue(kMultiPage, &multipage)) != 0) return *why = Code("MULTIPAGE", rc), kNotOffered;
  }
  gReceived = Received{};
  const double start = NowMs();
  rc = gPavlot.ZebAcquire(path.file ? HearFile : TakePage);
  const double ms = NowMs() - start;
  const int files = EmptyFolder(setup.folder, setup.keepFile);
  if (rc != 0) return *why = Code("ZebAcquire", rc), kFailed;
  const int wantFiles = path.file ? (path.multipage ? 1 : setup.pages) : 0;
  if (path.file ? files != wantFiles : (gReceived.pages != setup.pages || gReceived.badDib)) {
    *why = path.file ? std::to_string(files) + " files written, not " + std::to_string(wantFiles)
                     : std::to_string(gReceived.pages) + " page DIBs, not " + std::to_string(setup.pages);
    return kFailed;
  }
  return ms;
}
