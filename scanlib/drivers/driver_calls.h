// The one way the library calls a driver library: a guard per entry point. A guard whose entry
// point is not bound answers its fixed code without calling; otherwise it passes its arguments
// through and answers the entry point's result.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ks_source_record.h"
#include "scan_page_info.h"
#include "twain_types.h"
#include "wexlo.h"

// zebdrv.dll (driver kind 0).
int32_t CallKSLoad(HWND owner);                                   // -10 when not bound
int32_t CallKSFree();                                             // then unloads zebdrv.dll
int32_t CallKSGetDS(int32_t message, KSSourceRecord* record);
int32_t CallKSSetDriverById(KSSourceRecord* record, int32_t index);
int32_t CallKSGetValue(int32_t tag, int32_t type, void* value);
int32_t CallKSSetValue(int32_t tag, int32_t type, void* value);
// Releases the block a previous query left in *slot (data block first), clears the slot, then
// queries. The caller reads the new block and leaves it in the slot for the next call.
int32_t CallKSQueryData(int32_t tag, int32_t type, HGLOBAL* slot);
int32_t CallKSAcquire(PageCallbackProc callback, void* data);

// wexlo.dll (driver kind 1).
int32_t CallTWAINLoad(HWND owner);
int32_t CallTWAINFree();                                          // then unloads wexlo.dll
int32_t CallTWAINOpenDS();             // gLib.sourceIdentity, with its Id set to 0 first
int32_t CallTWAINCloseDS();
int32_t CallTWAINGetDS(int32_t message, TW_IDENTITY* identity);
int32_t CallTWAINAcquire(PageCallbackProc callback, void* data);
int32_t CallTWAINAcquireUIOnly(PageCallbackProc callback, void* data);
int32_t CallTWAINSetValue(int32_t capability, int32_t itemType, void* value);
// block: the caller's value-block pointer, which the engine fills; the caller frees the block.
int32_t CallTWAINGetValue(int32_t capability, int32_t itemType, void** block);
// TWAINRegister has no guard of its own: RegisterTwainApp calls it only when it is bound.

// isisdrv.dll (driver kind 2).
int32_t CallISISLoad(HWND owner);
int32_t CallISISFree();                                           // then unloads isisdrv.dll
int32_t CallISISAcquire(PageCallbackProc callback, void* data);
int32_t CallISISSetValue(int32_t tag, int32_t type, void* value);
int32_t CallISISGetValue(int32_t tag, int32_t type, int32_t index, void* value);
int32_t CallISISDriverInfoById(int32_t index, void* info);
int32_t CallISISSelectConfig(void* info, HWND parent, int32_t reserved);
int32_t CallISISSetDriver(void* info);
int32_t CallISISTagCount(int32_t tag, int32_t* count);
int32_t CallISISTagFlags(int32_t tag, int32_t* flags);
int32_t CallISISTagChoice(int32_t tag, int32_t type, int32_t index, void* value);
