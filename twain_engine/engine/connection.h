// The one TWAIN connection of the process and the engine's internal steps.
#pragma once
#include <windows.h>

#include <cstdint>

#include "wexlo.h"

// TWAIN state 1..7.
extern int32_t nState;

struct TwainConnection {
  HINSTANCE instance = nullptr;
  HWND ParentWindow = nullptr;
  TW_IDENTITY AppIdentity{};
  TW_IDENTITY SourceIdentity{};
  HMODULE dsm = nullptr;
  DSMENTRYPROC dsmEntry = nullptr;
  int32_t LastResult = 0;
  // Set when a request failed in a way that leaves the connection unusable (not for a value
  // the source merely refused), so the next acquisition starts again from state 1.
  bool connectionBroken = false;
  uint8_t TransferMechanism = 0;  // 0 memory, 1 native, 2 file
  uint16_t UIControl = 0;
  TWImageInfoRec imageInfo{};
  TW_PENDINGXFERS pending{};
  uint32_t minBufSize = 0;       // the source's least memory block for the pending image
  TW_UINT16 lastReturnCode = 0;  // raw return code of the most recent request
  HWND proxyWindow = nullptr;    // the parent TWAINRegister made itself; destroyed at unload
};

extern TwainConnection g_twain;

// How the engine reaches the data source manager's module; tests swap in their own.
struct DsmLoader {
  HMODULE (*load)(const char* name);
  FARPROC (*find)(HMODULE module, const char* name);
  BOOL (*release)(HMODULE module);
};
const DsmLoader* SetDsmLoader(const DsmLoader* loader);  // nullptr restores the real one
const DsmLoader& CurrentDsmLoader();

// Sends one request; answers the engine code. No request is made while the manager is not loaded.
int32_t CallDSMEntry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
// Codes after which the connection cannot go on as it is.
bool IsConnectionFailure(int32_t code);

int32_t TWEnableDS(TW_UINT16 showUI);
int32_t TWEnableDSUIOnly();
int32_t TWDisableDS();
// Closes a source that will not walk back down (and the manager when even that is refused), so
// that no loop waits on a state the source never reaches; the engine is then in state 3 or 1.
void AbandonSource();
// MSG_RESET of the pending transfers, then the disable unless the caller keeps the source
// enabled; a source still stuck in a transfer after a refused MSG_ENDXFER is disabled all the
// same, and closed when it refuses.
void ResetPendingTransfers(bool endRefused);
int32_t ProcessTWMessage(MSG* message, TWAcquireCallback fn, void* data);
int32_t PumpTWMessages(TWAcquireCallback fn, void* data);
bool NeedsSourceLookup();
int32_t GetSupportedCaps();

// The transfer routines run at MSG_XFERREADY.
int32_t DoMemTransfer(TWAcquireCallback fn, void* data);
int32_t DoNativeTransfer(TWAcquireCallback fn, void* data);
int32_t DoFileTransfer(TWAcquireCallback fn, void* data);

// Where NeedsSourceLookup learns the platform version; tests pretend to be older platforms.
struct PlatformVersion;
using PlatformVersionQuery = bool (*)(PlatformVersion* out);
PlatformVersionQuery SetPlatformVersionQuery(PlatformVersionQuery query);  // nullptr: the real one

// Forgets the whole connection as if the library had just been loaded (tests only).
void ForgetConnection();

// Library lifetime: what the entry point does at attach and detach.
void EngineAttach(HINSTANCE instance);
void EngineDetach();
// Ensures the read-ahead machinery exists and reads the batch setting (TWAINLoad's last step).
void PrepareBatchReading();
// Releases the batch ring and buffer; only outside a transfer.
void ReleaseBatchReading();

// Log lines at the engine's detail level.
void EngineLogIn(const char* name, int32_t value);
void EngineLogInText(const char* name, const char* text);
void EngineLogOut(const char* name, int32_t value);
void EngineLogValue(const char* name, int32_t value);
void EngineLogState();
