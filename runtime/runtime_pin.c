// Linked into every DLL of the tree: keeps the C++ runtime DLLs loaded until the process ends.
// The runtime cannot be unloaded cleanly (winpthread's TLS slot and the runtime's own
// allocations are never given back), so a caller that loads and frees one of our DLLs over and
// over must not load and free the runtime with it. Our own DLLs are not pinned: each load of them
// starts afresh.
#include <windows.h>

static void __attribute__((constructor)) PinRuntimeDlls(void) {
  static const wchar_t* const kRuntime[] = {
      L"libstdc++-6.dll", L"libgcc_s_dw2-1.dll", L"libgcc_s_seh-1.dll", L"libwinpthread-1.dll"};
  for (unsigned i = 0; i < sizeof kRuntime / sizeof kRuntime[0]; ++i) {
    HMODULE module = NULL;
    // A name this DLL does not import and nothing else loaded is simply not found.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, kRuntime[i], &module);
  }
}
