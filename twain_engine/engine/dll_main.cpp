#include "connection.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (!instance) return FALSE;
  if (reason == DLL_PROCESS_ATTACH) EngineAttach(instance);
  // At process exit the manager may already be gone: only a real unload walks down.
  if (reason == DLL_PROCESS_DETACH && !reserved) EngineDetach();
  return TRUE;
}
