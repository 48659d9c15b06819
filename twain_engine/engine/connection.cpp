#include "connection.h"

#include "debug_log.h"

int32_t nState = 1;
TwainConnection g_twain;

namespace {

HMODULE RealLoad(const char* name) {
  HMODULE module = LoadLibraryA(name);
  // A manager loaded afresh for every session looks for its sources and starts them again each
  // time (a tenth of a second, and megabytes it never gives back under Wine): once loaded it
  // stays for the life of the process, while every session still opens and closes it.
  HMODULE pinned = nullptr;
  if (module) GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, name, &pinned);
  return module;
}
FARPROC RealFind(HMODULE module, const char* name) { return GetProcAddress(module, name); }
BOOL RealRelease(HMODULE module) { return FreeLibrary(module); }

const DsmLoader kRealLoader = {RealLoad, RealFind, RealRelease};
const DsmLoader* g_loader = &kRealLoader;

constexpr int kEngineLogLevel = 2;

}  // namespace

const DsmLoader* SetDsmLoader(const DsmLoader* loader) {
  const DsmLoader* old = g_loader;
  g_loader = loader ? loader : &kRealLoader;
  return old;
}

const DsmLoader& CurrentDsmLoader() { return *g_loader; }

void ForgetConnection() {
  HINSTANCE instance = g_twain.instance;
  g_twain = TwainConnection{};
  g_twain.instance = instance;
  nState = 1;
}

void EngineLogIn(const char* name, int32_t value) {
  WriteLog(kLogFileName, name, "In ", 1, LogValue::Int(value), kEngineLogLevel);
}
void EngineLogInText(const char* name, const char* text) {
  WriteLog(kLogFileName, name, "In ", 1, LogValue::Str(text), kEngineLogLevel);
}
void EngineLogOut(const char* name, int32_t value) {
  WriteLog(kLogFileName, name, "Out", 1, LogValue::Int(value), kEngineLogLevel);
}
void EngineLogValue(const char* name, int32_t value) {
  WriteLog(kLogFileName, name, "   ", 1, LogValue::Int(value), kEngineLogLevel);
}
void EngineLogState() { EngineLogValue("nState", nState); }
