#include "test_files.h"

std::string FolderOfThisProgram() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string FolderAboveThisProgram() {
  const std::string mine = FolderOfThisProgram();
  return mine.substr(0, mine.find_last_of('\\', mine.size() - 2) + 1);
}

void DeleteFolder(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteFolder(folder + name + "\\");
      else DeleteFileA((folder + name).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string FreshTempFolder(const std::string& name) {
  const std::string folder = TempPath(name + "\\");
  DeleteFolder(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

namespace {
void StoreLibraryValue(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}
}  // namespace

void StoreLibraryInt(const char* name, DWORD value) {
  StoreLibraryValue(name, REG_DWORD, &value, sizeof value);
}

void StoreLibraryText(const char* name, const std::string& text) {
  StoreLibraryValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
