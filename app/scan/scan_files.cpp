#include "scan_files.h"

#include <chrono>

#include "qm_save_image_thrd.h"

namespace tarnwick {

FolderMaker::Result WindowsFolderMaker::MakeFolder(const std::string& name) {
  if (CreateDirectoryA(name.c_str(), nullptr)) return Result::Made;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES)
    return Result::Exists;
  return Result::Failed;
}

void DiscardDocumentTemp(const std::string& target) {
  DeleteFileA(DocumentTempName(target).c_str());
}

bool PutDocumentInPlace(const std::string& target) {
  const std::string temp = DocumentTempName(target);
  if (GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    return true;
  DeleteFileA(temp.c_str());
  return false;
}

namespace {

class IniFile : public IniSource {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  int ReadInt(const std::string& section, const std::string& key, int fallback) override {
    return static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, path_.c_str()));
  }

 private:
  std::string path_;
};

std::string DriverSettingsFile() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {};
  char path[MAX_PATH + 1] = {};
  DWORD bytes = MAX_PATH;
  DWORD type = 0;
  const LONG rc = RegQueryValueExA(key, kDriverSettingsValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(path), &bytes);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  const DWORD attrs = GetFileAttributesA(path);
  if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return path;
}

}  // namespace

DriverWindowSettings ReadDriverWindowFromRegistry(int passDpi) {
  const std::string file = DriverSettingsFile();
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
