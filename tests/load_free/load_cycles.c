// A plain C caller (no C++ runtime of its own) that loads and frees one DLL, or binds and
// releases the scan library, over and over, and prints what the process holds as it goes:
//
//   load_cycles dll NAME CYCLES        LoadLibrary(NAME) / FreeLibrary
//   load_cycles bind KIND CYCLES [SOURCE]
//                                      LoadLibrary("pavlot.dll") / ZebLoad / ZebFree / FreeLibrary
//                                      with the driver kind (and source name) stored as the
//                                      source dialog leaves them
//
// Each report line is "at CYCLE: tls FREE-SLOTS memory KB handles N threads N", taken before the
// first cycle (0), after cycles 1, 10, 50 and every 250th, and after the last; a failure prints "failed at
// CYCLE: ..." and exits 1.
#include <windows.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Free TLS slots: all that TlsAlloc still gives, each freed again at once.
static int FreeTlsSlots(void) {
  static DWORD taken[4096];
  int n = 0;
  while (n < 4096) {
    DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) break;
    taken[n++] = index;
  }
  for (int i = 0; i < n; ++i) TlsFree(taken[i]);
  return n;
}

// Committed private memory (heaps, stacks, the runtime's own blocks), in kB.
static unsigned long PrivateKb(void) {
  MEMORY_BASIC_INFORMATION info;
  const char* p = NULL;
  unsigned long long total = 0;
  while (VirtualQuery(p, &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const char* next = (const char*)info.BaseAddress + info.RegionSize;
    if (next <= p) break;
    p = next;
  }
  return (unsigned long)(total / 1024);
}

static int ThreadCount(void) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry;
  entry.dwSize = sizeof entry;
  int n = 0;
  for (BOOL more = Thread32First(snap, &entry); more; more = Thread32Next(snap, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  CloseHandle(snap);
  return n;
}

static void Report(const char* what, int cycle) {
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  printf("%s %d: tls %d memory %lu handles %lu threads %d\n", what, cycle, FreeTlsSlots(), PrivateKb(),
         (unsigned long)handles, ThreadCount());
  fflush(stdout);
}

static int Checkpoint(int cycle, int last) {
  return cycle == 1 || cycle == 10 || cycle == 50 || cycle % 250 == 0 || cycle == last;
}

static int LoadCycles(const char* name, int cycles) {
  Report("at", 0);
  for (int i = 1; i <= cycles; ++i) {
    HMODULE module = LoadLibraryA(name);
    if (!module) {
      printf("LoadLibrary(%s) answered error %lu\n", name, GetLastError());
      Report("failed at", i);
      return 1;
    }
    if (!FreeLibrary(module)) {
      Report("failed at", i);
      return 1;
    }
    if (Checkpoint(i, cycles)) Report("at", i);
  }
  return 0;
}

static void StoreSource(DWORD kind, const char* name) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, NULL, 0, KEY_WRITE, NULL, &key,
                      NULL) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "SOURCE", 0, REG_DWORD, (const BYTE*)&kind, sizeof kind);
  if (name) RegSetValueExA(key, "SOURCENAME", 0, REG_SZ, (const BYTE*)name, (DWORD)strlen(name) + 1);
  RegCloseKey(key);
}

typedef LONG(__stdcall* ZebLoadProc)(HWND);
typedef LONG(__stdcall* ZebFreeProc)(void);

static int BindCycles(int kind, int cycles, const char* source) {
  StoreSource((DWORD)kind, source);
  Report("at", 0);
  for (int i = 1; i <= cycles; ++i) {
    HMODULE module = LoadLibraryA("pavlot.dll");
    if (!module) {
      printf("pavlot.dll cannot be loaded: error %lu\n", GetLastError());
      Report("failed at", i);
      return 1;
    }
    ZebLoadProc load = (ZebLoadProc)(void*)GetProcAddress(module, "ZebLoad");
    ZebFreeProc release = (ZebFreeProc)(void*)GetProcAddress(module, "ZebFree");
    LONG loaded = load ? load(NULL) : -1;
    LONG freed = release ? release() : -1;
    FreeLibrary(module);
    if (loaded != 0 || freed != 0) {
      printf("ZebLoad answered %ld, ZebFree %ld\n", loaded, freed);
      Report("failed at", i);
      return 1;
    }
    if (Checkpoint(i, cycles)) Report("at", i);
  }
  return 0;
}

int main(int argc, char** argv) {
  const int dll = argc == 4 && strcmp(argv[1], "dll") == 0;
  const int bind = (argc == 4 || argc == 5) && strcmp(argv[1], "bind") == 0;
  if ((!dll && !bind) || atoi(argv[3]) < 1) {
    fprintf(stderr, "usage: load_cycles dll NAME CYCLES | bind KIND CYCLES [SOURCE]\n");
    return 2;
  }
  const int cycles = atoi(argv[3]);
  return dll ? LoadCycles(argv[2], cycles) : BindCycles(atoi(argv[2]), cycles, argc == 5 ? argv[4] : NULL);
}
