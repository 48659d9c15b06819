#include "twain_scan_fixture.h"

#include <shlwapi.h>

#include <cstring>
#include <sstream>

#include "page_dib.h"

namespace {

TwainScan* g_scan = nullptr;

int32_t __stdcall OnPage(void* data, uint32_t* size, int32_t code) {
  TwainScan& s = *g_scan;
  if (code == kPageEventInfo) {
    ReceivedPage p;
    std::memcpy(&p.info, data, sizeof p.info);
    s.pages.push_back(std::move(p));
    return 0;
  }
  if (code < 0) {
    s.driverErrors.push_back(code);
    return 0;
  }
  if (s.pages.empty()) return -2;  // data before any page information
  ReceivedPage& page = s.pages.back();
  const bool ends = code == 1 || code == 3 || code == 5;
  if (s.transferMode == 0) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    page.data.insert(page.data.end(), bytes, bytes + *size);
  } else if (s.transferMode == 2) {
    if (ends) page.fileName = static_cast<const char*>(data);
  } else if (ends) {
    // The page DIB is ours: copied, then given back.
    HGLOBAL dib = *static_cast<HGLOBAL*>(data);
    const SIZE_T bytes = GlobalSize(dib);
    const auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
    if (p) page.data.assign(p, p + bytes);
    GlobalUnlock(dib);
    GlobalFree(dib);
  }
  if (!ends) return 0;
  page.endCode = code;
  return s.stopAfter >= 0 && s.Complete() >= s.stopAfter ? -1 : 0;
}

void StoreGeneral(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY k;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                  nullptr);
  RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}

template <typename T>
bool Bind(HMODULE m, T& slot, const char* name) {
  slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m, name)));
  return slot != nullptr;
}

}  // namespace

int32_t TwainScan::Complete() const {
  int32_t n = 0;
  for (const ReceivedPage& p : pages)
    if (p.endCode != -1000) ++n;
  return n;
}

void ClearQuandrixSettings() {
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  DeleteFileA("c:\\temp\\ondrel.ini");
}

bool TwainScanner::WriteConfig(const std::string& simSettings) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  config_ = std::string(folder) + "acquire_twain_sim.ini";
  HANDLE f = CreateFileA(config_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(f, simSettings.data(), static_cast<DWORD>(simSettings.size()), &written, nullptr);
  CloseHandle(f);
  SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", config_.c_str());
  return true;
}

bool TwainScanner::Restart(const std::string& simSettings) {
  if (!ZebFree_ || ZebFree_() != 0) return false;
  return WriteConfig(simSettings) && ZebLoad_(nullptr) == 0;
}

bool TwainScanner::Start(const std::string& simSettings) {
  ClearQuandrixSettings();
  if (!WriteConfig(simSettings)) return false;
  const DWORD twain = 1;
  StoreGeneral("SOURCE", REG_DWORD, &twain, 4);
  const char* name = "Quandrix Sim TWAIN";
  StoreGeneral("SOURCENAME", REG_SZ, name, static_cast<DWORD>(std::strlen(name) + 1));
  if (batchReading) {
    HKEY k;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix\\ScanData", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &k, nullptr);
    const DWORD on = 1;
    RegSetValueExA(k, "BATCHSCAN", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), 4);
    RegCloseKey(k);
  }
  module_ = LoadLibraryA("pavlot.dll");
  return module_ && Bind(module_, ZebLoad_, "ZebLoad") && Bind(module_, ZebFree_, "ZebFree") &&
         Bind(module_, ZebAcquire_, "ZebAcquire") &&
         Bind(module_, ZebAcquireUIOnly_, "ZebAcquireUIOnly") && Bind(module_, ZebSetValue, "ZebSetValue") &&
         Bind(module_, ZebGetValue, "ZebGetValue") &&
         Bind(module_, ZebGetTagFlag, "ZebGetTagFlag") && ZebLoad_(nullptr) == 0;
}

void TwainScanner::Stop() {
  if (ZebFree_) ZebFree_();
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  ZebFree_ = nullptr;
  SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", nullptr);
  if (!config_.empty()) DeleteFileA(config_.c_str());
  ClearQuandrixSettings();
}

bool TwainScanner::Apply(const ScanSettings& s) {
  auto set16 = [&](uint32_t tag, int16_t v) { return ZebSetValue(tag, &v) == 0; };
  auto set32 = [&](uint32_t tag, int32_t v) { return ZebSetValue(tag, &v) == 0; };
  const int16_t bits = s.pixelType == 0 ? 1 : s.pixelType == 1 ? 8 : 24;
  return set16(0x9102, s.transferMode) && set16(0x9202, s.pixelType) && set16(0x9203, bits) &&
         set32(0x9200, s.dpi) && set32(0x9201, s.dpi) && set16(0x9100, s.scanType) &&
         set16(0x9101, s.duplex) && set16(0x9050, 0);
}

int32_t TwainScanner::Acquire(TwainScan* scan) {
  g_scan = scan;
  const int32_t rc = ZebAcquire_(OnPage);
  g_scan = nullptr;
  return rc;
}

zebsim::PageFormat FormatFor(const ScanSettings& s) {
  zebsim::PageFormat f;
  f.kind = s.pixelType == 0 ? zebsim::PixelKind::BlackWhite
           : s.pixelType == 1 ? zebsim::PixelKind::Gray
                              : zebsim::PixelKind::Color;
  f.xResolution = f.yResolution = s.dpi;
  f.paper = zebsim::Paper::Letter;
  return f;
}

std::string CompareDibPage(const std::vector<uint8_t>& dib, const zebsim::PageFormat& format,
                           int pageNumber) {
  std::ostringstream why;
  const zebsim::PageGeometry g = zebsim::GeometryOf(format);
  if (dib.size() < sizeof(BITMAPINFOHEADER)) return "no DIB";
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib.data(), sizeof h);
  const int colours = g.bitsPerPixel == 1 ? 2 : g.bitsPerPixel == 8 ? 256 : 0;
  const LONG ppm = static_cast<LONG>(format.xResolution * 39.37 + 0.5);
  if (h.biWidth != g.width || h.biHeight != g.length || h.biBitCount != g.bitsPerPixel ||
      static_cast<int>(h.biClrUsed) != colours || h.biXPelsPerMeter != ppm ||
      h.biYPelsPerMeter != ppm || h.biCompression != BI_RGB || h.biPlanes != 1) {
    why << "header " << h.biWidth << "x" << h.biHeight << "x" << h.biBitCount << " colours "
        << h.biClrUsed << " ppm " << h.biXPelsPerMeter << "/" << h.biYPelsPerMeter
        << ", expected " << g.width << "x" << g.length << "x" << g.bitsPerPixel << " colours "
        << colours << " ppm " << ppm;
    return why.str();
  }
  DibPixelSpan span;
  if (!LocateDibPixels(dib.data(), dib.size(), &span)) return "rows not inside the block";
  const uint8_t* palette = dib.data() + h.biSize;
  for (int i = 0; i < colours; ++i) {
    const uint8_t v = colours == 2 ? (i ? 255 : 0) : static_cast<uint8_t>(i);
    if (palette[i * 4] != v || palette[i * 4 + 1] != v || palette[i * 4 + 2] != v)
      return "palette entry " + std::to_string(i);
  }
  std::vector<uint8_t> row(static_cast<size_t>(g.bytesPerRow));
  for (int y = 0; y < g.length; ++y) {
    zebsim::RenderRow(format, pageNumber, y, row.data());
    const uint8_t* got = dib.data() + span.Offset + size_t(g.length - 1 - y) * span.RowStride;
    for (int x = 0; x < g.bytesPerRow; ++x) {
      const int source = g.bitsPerPixel == 24 ? (x / 3) * 3 + (2 - x % 3) : x;
      if (got[x] != row[static_cast<size_t>(source)]) {
        why << "pixel byte " << x << " of row " << y << " is " << int(got[x]) << ", expected "
            << int(row[static_cast<size_t>(source)]);
        return why.str();
      }
    }
  }
  return "";
}

std::vector<uint8_t> ReadBmpDib(const std::string& path) {
  std::vector<uint8_t> bytes;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  const DWORD size = GetFileSize(f, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  if (!ReadFile(f, bytes.data(), size, &read, nullptr) || read != size) bytes.clear();
  CloseHandle(f);
  if (bytes.size() < sizeof(BITMAPFILEHEADER) || bytes[0] != 'B' || bytes[1] != 'M') return {};
  return std::vector<uint8_t>(bytes.begin() + sizeof(BITMAPFILEHEADER), bytes.end());
}

std::string CompareRowPage(const std::vector<uint8_t>& rows, const zebsim::PageFormat& format,
                           int pageNumber) {
  const std::vector<uint8_t> want = zebsim::RenderPage(format, pageNumber);
  if (rows.size() != want.size())
    return std::to_string(rows.size()) + " bytes, expected " + std::to_string(want.size());
  for (size_t i = 0; i < want.size(); ++i)
    if (rows[i] != want[i]) return "byte " + std::to_string(i) + " differs";
  return "";
}
