// Pavlot, the scan library: its exported interface. Every export is a flat stdcall function
// with a fixed ordinal, answering a status code (0 success, negative failure).
#pragma once
#include <windows.h>

#include <cstdint>

#include "page_region.h"
#include "scan_page_info.h"

extern "C" {
int32_t __stdcall ZebLoad(HWND owner);                 // @1
int32_t __stdcall ZebFree();                           // @2
int32_t __stdcall ZebSelectSource();                   // @3
int32_t __stdcall ZebSetSource(const char* name);      // @13, "__Source__" for the list

// Acquisition. The callback gets (data, pointer to a 32-bit size, event): event 2 with the page
// information, then per transfer mode the data blocks (memory), the page DIB's handle variable
// (DIB mode: the caller takes the handle over) or the page file's name (file mode) with event 1.
int32_t __stdcall ZebAcquire(PageCallbackProc callback);  // @4
int32_t __stdcall ZebAcquireUIOnly(int32_t unused);       // @11

// Files, through the current file-format plug-in (see file_plugin.h for the arguments).
int32_t __stdcall ZebFileCreate(const char* name, ScanPageInfo* page, intptr_t unused);  // @30
int32_t __stdcall ZebFileSave(const void* rows, int32_t rowBytes, int32_t rowCount,
                              int32_t received, int32_t reserved);                     // @31
int32_t __stdcall ZebFileClose(int32_t keepOpen);                                      // @32
int32_t __stdcall ZebGetCompMode(uint16_t** list, int32_t* count, int32_t have);       // @33
int32_t __stdcall ZebGetFileExt(uint16_t** list, int32_t* count, int32_t reserved);    // @34
int32_t __stdcall ZebGetFileExtStr(char* text);                                        // @35
int32_t __stdcall ZebOpenImage(const char* name, int32_t* pageCount, intptr_t reserved1,
                               intptr_t reserved2);                                    // @36
int32_t __stdcall ZebGetImage(HGLOBAL* dib, ScanPageInfo* info, intptr_t reserved1,
                              intptr_t reserved2);                                     // @37
int32_t __stdcall ZebCloseImage();                                                     // @38
int32_t __stdcall ZebSetPageIndex(int32_t index, intptr_t reserved);                   // @39
int32_t __stdcall ZebSaveAs(HGLOBAL dib, const char* target, intptr_t option,
                            intptr_t reserved);                                        // @40
int32_t __stdcall ZebConvertFile(const char* target, const char* source, intptr_t unused1,
                                 intptr_t unused2, int32_t low, int32_t high);         // @51

// Page services.
int32_t __stdcall ZebDoDeskew(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4, intptr_t a5,
                              intptr_t a6, intptr_t a7);  // @56, zebip.dll's DoDeskew
int32_t __stdcall ZebDoOCR(const char* name, const int16_t* kind, intptr_t reserved);  // @50
int32_t __stdcall ZebDBarCode(const uint8_t* bits, ScanPageInfo* info,
                              BarcodeRecord* record);                                  // @52
int32_t __stdcall ZebBlankPage(const void* source, const int16_t* kind);               // @53
int32_t __stdcall ZebAutoImage(const void* source, int32_t kind, const char* target,
                               const int16_t* compression);                            // @54
int32_t __stdcall ZebScale2Gray(const char* name, int32_t kind, int32_t flags,
                                const char* target);                                   // @55
int32_t __stdcall ZebColorDrop(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4);    // @57
}
