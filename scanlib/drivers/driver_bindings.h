// The binding table of each driver library: its module handle and one pointer per entry point,
// all empty while the library is not bound. Bind* loads a library by name once and resolves
// every entry point; a library with any entry point missing is not kept (-7).
#pragma once
#include <windows.h>

#include <cstdint>

#include "ks_source_record.h"
#include "scan_page_info.h"
#include "twain_types.h"
#include "wexlo.h"

struct KSBinding {
  HMODULE module;
  int32_t(__stdcall* KSLoad)(HWND owner);
  int32_t(__stdcall* KSFree)();
  int32_t(__stdcall* KSGetDS)(int32_t message, KSSourceRecord* record);
  int32_t(__stdcall* KSSetDriverById)(KSSourceRecord* record, int32_t index);
  int32_t(__stdcall* KSGetValue)(int32_t tag, int32_t type, void* value);
  int32_t(__stdcall* KSSetValue)(int32_t tag, int32_t type, void* value);
  int32_t(__stdcall* KSQueryData)(int32_t tag, int32_t type, HGLOBAL* block);
  int32_t(__stdcall* KSAcquire)(PageCallbackProc callback, void* data);
};

struct TwainBinding {
  HMODULE module;
  int32_t(__stdcall* TWAINLoad)(HWND owner);
  int32_t(__stdcall* TWAINFree)();
  int32_t(__stdcall* TWAINOpenDS)(TW_IDENTITY* identity);
  int32_t(__stdcall* TWAINCloseDS)();
  int32_t(__stdcall* TWAINGetDS)(uint32_t message, TW_IDENTITY* identity);
  int32_t(__stdcall* TWAINAcquire)(PageCallbackProc callback, void* data);
  int32_t(__stdcall* TWAINAcquireUIOnly)(PageCallbackProc callback, void* data);
  int32_t(__stdcall* TWAINSetValue)(uint32_t capability, uint32_t container, void* value);
  int32_t(__stdcall* TWAINGetValue)(uint32_t capability, uint32_t itemType, void** block);
  int32_t(__stdcall* TWAINRegister)(const TWAppInfo* info);
};

struct IsisBinding {
  HMODULE module;
  int32_t(__stdcall* ISISLoad)(HWND owner);
  int32_t(__stdcall* ISISFree)();
  int32_t(__stdcall* ISISGetDS)(int32_t message, void* record);
  int32_t(__stdcall* ISISAcquire)(PageCallbackProc callback, void* data);
  int32_t(__stdcall* ISISSetValue)(int32_t tag, int32_t type, void* value);
  int32_t(__stdcall* ISISGetValue)(int32_t tag, int32_t type, int32_t index, void* value);
  int32_t(__stdcall* ISISDriverInfoById)(int32_t index, void* info);
  int32_t(__stdcall* ISISSelectConfig)(void* info, HWND parent, int32_t reserved);
  int32_t(__stdcall* ISISSetDriver)(void* info);
  int32_t(__stdcall* ISISSelectionDone)(void* info);
  int32_t(__stdcall* ISISTagCount)(int32_t tag, int32_t* count);
  int32_t(__stdcall* ISISTagFlags)(int32_t tag, int32_t* flags);
  int32_t(__stdcall* ISISTagChoice)(int32_t tag, int32_t type, int32_t index, void* value);
  int32_t(__stdcall* ISISSetDefault)(void* info);
};

extern KSBinding gKS;
extern TwainBinding gTwain;
extern IsisBinding gIsis;

// Each answers 0 when the library is (already) bound with every entry point, else -7.
int32_t BindKSDriver();
int32_t BindTwainEngine();
int32_t BindIsisBridge();

// The file names the binding routines load.
constexpr const char* kKSDriverFile = "zebdrv.dll";
constexpr const char* kTwainEngineFile = "wexlo.dll";
constexpr const char* kIsisBridgeFile = "isisdrv.dll";
