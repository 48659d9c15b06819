#include "zebdrv_client.h"

#include <cstdio>
#include <cstring>

#include "sim_scanner.h"

namespace {
ScanRecorder* gRecorder = nullptr;
std::string gSettingsFile;

template <typename T>
bool Bind(HMODULE m, const char* name, T* slot) {
  *slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m, name)));
  return *slot != nullptr;
}
}  // namespace

bool ZebDrv::Open() {
  module = LoadLibraryA("zebdrv.dll");
  if (!module) return false;
  return Bind(module, "KSLoad", &KSLoad) && Bind(module, "KSFree", &KSFree) &&
         Bind(module, "KSGetDS", &KSGetDS) && Bind(module, "KSSetDriverById", &KSSetDriverById) &&
         Bind(module, "KSGetValue", &KSGetValue) && Bind(module, "KSSetValue", &KSSetValue) &&
         Bind(module, "KSQueryData", &KSQueryData) && Bind(module, "KSAcquire", &KSAcquire);
}

void ZebDrv::Close() {
  if (module) FreeLibrary(module);
  module = nullptr;
}

std::string WriteSimSettings(const std::string& iniText) {
  char dir[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "zsm", 0, path);
  FILE* f = std::fopen(path, "wb");
  std::fwrite(iniText.data(), 1, iniText.size(), f);
  std::fclose(f);
  return path;
}

std::string UseSimSettings(const std::string& iniText) {
  ForgetSimSettings();
  gSettingsFile = WriteSimSettings(iniText);
  SetEnvironmentVariableA("ZEBSIM_CONFIG", gSettingsFile.c_str());
  return gSettingsFile;
}

void ForgetSimSettings() {
  SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
  if (!gSettingsFile.empty()) DeleteFileA(gSettingsFile.c_str());
  gSettingsFile.clear();
}

int32_t __stdcall ScanRecorder::Callback(void* data, uint32_t* size, int32_t code) {
  ScanRecorder& r = *gRecorder;
  if (code == kPageEventInfo) {
    ReceivedPage page;
    std::memcpy(&page.info, data, sizeof(ScanPageInfo));
    r.pages.push_back(page);
    *size = r.blockSize;
    return 0;
  }
  if (code < 0) {
    r.errors.push_back(code);
    return 0;
  }
  ReceivedPage& page = r.pages.back();
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  page.rows.insert(page.rows.end(), bytes, bytes + *size);
  page.codes.push_back(code);
  if (code == kPageBlockLast) {
    page.complete = true;
    if (static_cast<int>(r.pages.size()) == r.stopAtPage) return r.stopAnswer;
  }
  return 0;
}

int32_t ScanRecorder::Scan(ZebDrv& drv, void* buffer) {
  gRecorder = this;
  int32_t rc = drv.KSAcquire(&ScanRecorder::Callback, buffer);
  gRecorder = nullptr;
  return rc;
}

int ScanRecorder::PageNumber(size_t index) const {
  const ReceivedPage& p = pages.at(index);
  zebsim::ImageView v;
  v.data = p.rows.data();
  v.width = p.info.ImageWidth;
  v.length = p.info.ImageLength;
  v.bitsPerPixel = p.info.BitsPerPixel;
  v.stride = (p.info.ImageWidth * p.info.BitsPerPixel + 7) / 8;
  v.xResolution = p.info.XResolution;
  v.yResolution = p.info.YResolution;
  if (p.rows.size() < size_t(v.stride) * v.length) return -1;
  return zebsim::ReadPageNumber(v);
}
