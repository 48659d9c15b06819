// The library-wide state of pavlot.dll: one instance, gLib, read and written by every part of
// the library. The library serves one caller at a time on the caller's thread, so nothing here
// is locked.
#pragma once
#include <windows.h>

#include <cstdint>

#include "status_codes.h"
#include "twain_types.h"
#include "wexlo.h"

enum LibraryStateValue : int32_t {
  kStateNotStarted = 1,     // loaded, or after ZebFree
  kStateStarted = 2,        // settings, font, plug-ins and auxiliary libraries ready; no driver
  kStateRegistered = 3,     // as 2, and the application identity is registered with TWAIN
  kStateDriverStarted = 4,  // a driver kind answered its Load; no tag records
  kStateReady = 5,          // tag records built
};

enum DriverKind : int32_t {
  kDriverNone = -1,   // no source chosen: all three libraries are loaded for the source dialog
  kDriverMaker = 0,   // zebdrv.dll
  kDriverTwain = 1,   // wexlo.dll
  kDriverIsis = 2,    // isisdrv.dll
};

// Entry points of the auxiliary libraries (each may be missing; users test before calling).
typedef int32_t(__stdcall* DoDeskewProc)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                                         intptr_t, intptr_t);
typedef int32_t(__stdcall* DeskewCropOptionProc)(void** outImage, int32_t* newWidth,
                                                 int32_t* newLength, int32_t xRes, void* reference,
                                                 void* page, int32_t width, int32_t lines,
                                                 int32_t mode, int32_t state);
typedef int32_t(__stdcall* ReferenceProc)(void* reference, void* background, int32_t xRes,
                                          int32_t lines, int32_t width, int32_t mode,
                                          int32_t* state);
typedef int32_t(__stdcall* FilterBlueProc)(intptr_t, intptr_t, intptr_t, intptr_t);

struct AuxiliaryLibraries {
  HMODULE zebip = nullptr;
  DoDeskewProc DoDeskew = nullptr;
  HMODULE cropDeskew = nullptr;
  DeskewCropOptionProc deskew_crop_option = nullptr;
  ReferenceProc reference = nullptr;
  HMODULE filterDll = nullptr;
  FilterBlueProc FilterBlue = nullptr;
};

struct LibraryGlobals {
  int32_t state = kStateNotStarted;
  int32_t lastStatus = kZebOk;      // of the last InitDrv, ZebSetSource or ZebSelectSource
  int32_t driverKind = kDriverMaker;
  HWND ownerWindow = nullptr;       // given to ZebLoad; owner of the library's dialogs
  HMODULE module = nullptr;         // pavlot.dll itself, kept by DllMain
  TWAppInfo appInfo{};              // the identity handed to TWAINRegister, filled once
  TW_IDENTITY sourceIdentity{};     // the current source; TWAINOpenDS and the source dialog use it
  HFONT font = nullptr;             // the dialogs' font, made by ZebLoad from the localisation file
  AuxiliaryLibraries aux;
  // Frees what the page services loaded on demand (the barcode and OCR libraries); set by them
  // when they load something, run by the full release.
  void (*releasePageServices)() = nullptr;
};

extern LibraryGlobals gLib;

// Starts one driver kind (see DriverKind); answers and keeps the status as gLib.lastStatus.
int32_t InitDrv(int32_t kind);

// Frees the tag records and every driver library. full = 1 also releases what ZebLoad made and
// goes back to state 1; full = 0 leaves the library started (state 2).
int32_t ZebFreeLib(int full);

// Registers the library with the TWAIN engine once per start (states 1 and 2 only).
void RegisterTwainApp();
