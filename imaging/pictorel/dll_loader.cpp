#include "dll_loader.h"

#include <vector>

namespace {

std::mutex& LoaderLock() {
  static std::mutex lock;
  return lock;
}

DWORD g_uiThread = GetCurrentThreadId();

void DefaultMessage(const std::string& text) { MessageBoxA(nullptr, text.c_str(), "Pictorel", MB_OK); }
PictorelMessageProc g_message = DefaultMessage;

bool Loaded(HMODULE h) { return reinterpret_cast<uintptr_t>(h) >= 32; }

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

std::string FindOnPath(const std::string& name) {
  if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) return name;
  char system[MAX_PATH] = {}, windows[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string program = ProgramFolder();
  for (const std::string& folder : {program, std::string(system) + "\\", std::string(windows) + "\\"}) {
    std::string path = folder + name;
    if (!folder.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  }
  return std::string();
}

// Steps through the places a library may be, stopping at the first that loads.
void LoadFromAnywhere(HMODULE& library, const std::string& name) {
  std::string& folder = DllFolder();
  if (!Loaded(library) && !folder.empty()) {
    if (folder.back() != '\\') folder += '\\';
    library = LoadLibraryA((folder + name).c_str());
  }
  if (!Loaded(library)) library = LoadLibraryA((ProgramFolder() + name).c_str());
  if (!Loaded(library)) library = LoadLibraryA(name.c_str());
  std::string found;
  if (!Loaded(library)) {
    found = FindOnPath(name);
    if (!found.empty()) library = LoadLibraryA(found.c_str());
  }
  if (!Loaded(library) && !found.empty()) {
    size_t dot = found.find_last_of('.');
    library = LoadLibraryA(found.substr(0, dot).c_str());
  }
  if (!Loaded(library)) library = nullptr;
}

}  // namespace

std::mutex& BindLock() {
  static std::mutex lock;
  return lock;
}

std::string& DllFolder() {
  static std::string folder;
  return folder;
}

HMODULE& CrdeLibrary() {
  static HMODULE library = nullptr;
  return library;
}

HMODULE& IspLibrary() {
  static HMODULE library = nullptr;
  return library;
}

bool LoadDllProc(HMODULE& library, const char* name, const char* entry, FARPROC& proc) {
  {
    std::lock_guard<std::mutex> hold(LoaderLock());
    if (proc && Loaded(library)) return true;
    LoadFromAnywhere(library, name);
    if (!Loaded(library)) throw ErrorInvalid(pictorel_text::CantLoad(name));
    if (std::string(name).find("CRDE") != std::string::npos) {
      proc = GetProcAddress(library, entry);
      return proc != nullptr;
    }
    FreeLibrary(library);
    library = nullptr;
  }
  ShowPictorelMessage(pictorel_text::kWrongDllName);
  return false;
}

bool LoadSPProc(HMODULE& library, const char* name, const char* entry, FARPROC& proc) {
  {
    std::lock_guard<std::mutex> hold(LoaderLock());
    if (proc && Loaded(library)) return true;
    LoadFromAnywhere(library, name);
    if (Loaded(library)) {
      proc = GetProcAddress(library, entry);
      return proc != nullptr;
    }
  }
  ShowPictorelMessage(pictorel_text::CantLoad(name));
  return false;
}

void ShowPictorelMessage(const std::string& text) {
  if (GetCurrentThreadId() == g_uiThread && g_message) g_message(text);
}

void SetPictorelUiThread(DWORD threadId) { g_uiThread = threadId; }
void SetPictorelMessageProc(PictorelMessageProc proc) { g_message = proc; }
