// Finding and loading the plug-ins "File*.dll".
#include <algorithm>
#include <vector>

#include "debug_log.h"
#include "library_state.h"
#include "plugin_formats_host.h"
#include "plugin_host.h"
#include "plugin_list.h"

namespace {

template <typename T>
void Resolve(HMODULE module, const char* name, T* slot) {
  *slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE ThisModule() {
  if (gLib.module) return gLib.module;
  HMODULE mine = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &mine);
  return mine;
}

bool EndsWithDll(const std::string& name) {
  // A pattern's three-letter extension also matches longer ones through short names.
  return name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".dll") == 0;
}

// The names in a stable order, whatever order the file system lists them in.
std::vector<std::string> PluginFileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "File*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithDll(found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return names;
}

bool LoadPlugin(const std::string& path, PluginEntry* e) {
  // The plug-in's own dependencies are searched beside it too.
  e->module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!e->module) return false;
  Resolve(e->module, "FileSave", &e->FileSave);
  Resolve(e->module, "GetFileExts", &e->GetFileExts);
  Resolve(e->module, "GetFileExtStr", &e->GetFileExtStr);
  Resolve(e->module, "FileCreate", &e->FileCreate);
  Resolve(e->module, "FileClose", &e->FileClose);
  Resolve(e->module, "GetCompMode", &e->GetCompMode);
  Resolve(e->module, "OpenImageFile", &e->OpenImageFile);
  Resolve(e->module, "GetImageData", &e->GetImageData);
  Resolve(e->module, "CloseImageFile", &e->CloseImageFile);
  Resolve(e->module, "SetPageIndex", &e->SetPageIndex);
  Resolve(e->module, "FileSaveAs", &e->FileSaveAs);
  if (e->FileCreate && e->FileClose && e->FileSave && e->GetFileExts && e->GetFileExtStr &&
      e->GetCompMode)
    return true;
  FreeLibrary(e->module);
  *e = PluginEntry{};
  return false;
}

}  // namespace

std::string PluginFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(ThisModule(), path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return "";
  std::string folder = path;
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

void DiscoverFilePlugins() {
  LogIn("DiscoverFilePlugins");
  ReleaseFilePlugins();
  const std::string folder = PluginFolder();
  for (const std::string& name : PluginFileNames(folder)) {
    PluginEntry entry;
    const bool kept = LoadPlugin(folder + name, &entry);
    LogDetailText("DiscoverFilePlugins", kept ? "   " : "   not a plug-in: ", name.c_str());
    if (kept) AppendPlugin(entry);
  }
  MakePluginCurrent(PluginCount() > 0 ? 0 : kNoPlugin);
  InstallPluginFormats();
  LogOut("DiscoverFilePlugins", PluginCount());
}

void ReleaseFilePlugins() {
  if (PluginEntry* reading = ReadingPlugin())
    if (reading->CloseImageFile) reading->CloseImageFile();
  RemovePluginFormats();
  UnloadPlugins();
}
