#include "scan_files.h"

#include <chrono>
#include <cstring>

#include "qm_save_image_thrd.h"

namespace tarnwick {

namespace {

// The scan run's names are UTF-8; the file calls take them wide.
std::wstring WidePath(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
  wide.resize(size_t(n - 1));
  return wide;
}

std::wstring WideOfAscii(const char* text) { return std::wstring(text, text + strlen(text)); }

}  // namespace

FolderMaker::Result WindowsFolderMaker::MakeFolder(const std::string& name) {
  const std::wstring folder = WidePath(name);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return Result::Made;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
    return Result::Exists;
  return Result::Failed;
}

void DiscardDocumentTemp(const std::string& target) {
  DeleteFileW(WidePath(DocumentTempName(target)).c_str());
}

bool PutDocumentInPlace(const std::string& target) {
  const std::wstring temp = WidePath(DocumentTempName(target));
  if (GetFileAttributesW(temp.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  if (MoveFileExW(temp.c_str(), WidePath(target).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    return true;
  DeleteFileW(temp.c_str());
  return false;
}

namespace {

class IniFile : public IniSource {
 public:
  explicit IniFile(std::wstring path) : path_(std::move(path)) {}
  int ReadInt(const std::string& section, const std::string& key, int fallback) override {
    return static_cast<int>(GetPrivateProfileIntW(WidePath(section).c_str(), WidePath(key).c_str(),
                                                  fallback, path_.c_str()));
  }

 private:
  std::wstring path_;
};

std::wstring DriverSettingsFile() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideOfAscii(kDriverSettingsKey).c_str(), 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return {};
  wchar_t path[MAX_PATH + 1] = {};
  DWORD bytes = MAX_PATH * sizeof(wchar_t);
  DWORD type = 0;
  const LONG rc = RegQueryValueExW(key, WideOfAscii(kDriverSettingsValue).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(path), &bytes);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  const DWORD attrs = GetFileAttributesW(path);
  if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return path;
}

}  // namespace

DriverWindowSettings ReadDriverWindowFromRegistry(int passDpi) {
  const std::wstring file = DriverSettingsFile();
  if (file.empty()) return ReadDriverWindowSettings(nullptr, passDpi);
  IniFile ini(file);
  return ReadDriverWindowSettings(&ini, passDpi);
}

int WaitForSaveQueue(qm::QmSaveImageThrd& queue, DWORD maxMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (queue.WaitIdle(std::chrono::milliseconds(20))) return 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return queue.Count();
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount() - start >= maxMs) return queue.Count();
  }
}

}  // namespace tarnwick
