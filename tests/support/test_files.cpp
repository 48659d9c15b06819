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
