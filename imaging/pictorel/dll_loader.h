// Binding the imaging components' own DLLs at run time, and the rules for what a binding shows
// when something goes wrong: message boxes appear only on the user-interface thread; on any
// other thread (the save queue's worker) a failure is just a failure.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>

#include "error_invalid.h"

// An optional folder looked in first; empty unless a caller sets it.
std::string& DllFolder();

// Loads the library into library (below 32 counts as not loaded) and finds entry. Refuses a
// library whose name lacks "CRDE" ("Wrong dll Name in DLL96V1"). Raises ErrorInvalid
// "Can't load ..." when the library is found nowhere. True when the entry point was found.
bool LoadDllProc(HMODULE& library, const char* name, const char* entry, FARPROC& proc);
// The same search without the name check; a library found nowhere shows the "Can't load ..."
// message and gives false instead of raising.
bool LoadSPProc(HMODULE& library, const char* name, const char* entry, FARPROC& proc);

// Shows a message box when called on the user-interface thread; does nothing elsewhere.
void ShowPictorelMessage(const std::string& text);

// Seams: the thread counted as the user-interface thread (by default the one that first used
// the bindings' module), and what shows a message (by default MessageBoxA).
void SetPictorelUiThread(DWORD threadId);
using PictorelMessageProc = void (*)(const std::string& text);
void SetPictorelMessageProc(PictorelMessageProc proc);

// The module handles of the two libraries, loaded on first use and kept until the program ends.
HMODULE& CrdeLibrary();
HMODULE& IspLibrary();
constexpr const char* kCrdeName = "CRDE2001.DLL";
constexpr const char* kIspName = "ISP2000.DLL";

// Guards the wrappers' entry-point variables, which the save queue's thread fills too. Never
// held while the loader shows a message, whose message loop may bind again.
std::mutex& BindLock();

template <typename Proc>
bool BindEntry(HMODULE& library, const char* name, const char* entry, Proc& proc, bool crde) {
  FARPROC found;
  {
    std::lock_guard<std::mutex> hold(BindLock());
    found = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(proc));
  }
  bool ok = crde ? LoadDllProc(library, name, entry, found) : LoadSPProc(library, name, entry, found);
  std::lock_guard<std::mutex> hold(BindLock());
  proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(found));
  return ok && proc;
}

// Binds an entry point of CRDE2001.DLL once; later calls answer from the kept pointer.
template <typename Proc>
bool BindCrde(const char* entry, Proc& proc) {
  return BindEntry(CrdeLibrary(), kCrdeName, entry, proc, true);
}

template <typename Proc>
bool BindIsp(const char* entry, Proc& proc) {
  return BindEntry(IspLibrary(), kIspName, entry, proc, false);
}

// Runs a call into a library; anything it throws shows the fixed exception message (on the
// user-interface thread) and gives false.
template <typename Call>
bool GuardedDllCall(Call call) {
  try {
    call();
    return true;
  } catch (...) {
    ShowPictorelMessage(pictorel_text::kDllException);
    return false;
  }
}
