// The contract between the scan library and a file-format plug-in ("File*.dll"). A plug-in
// exports these entry points by name, all stdcall. Six are required (FileCreate, FileSave,
// FileClose, GetFileExts, GetFileExtStr, GetCompMode); the reading and whole-file ones may be
// missing. The library passes its callers' arguments through unchanged except where noted.
//
// Writing a scanned page, line by line:
//   FileCreate(name, page, options)   opens the file (or the next page of an open multipage
//                                     file) for a page described by `page`; page->Compression
//                                     holds the COMPRESSION the caller chose
//   FileSave(rows, rowBytes, rowCount, received, 0)
//                                     appends rowCount rows of rowBytes bytes each, top row
//                                     first, in the scanner's order: 1-bit 0 = black, 8/16-bit
//                                     gray, RGB samples R,G,B; `received` is 1 for scanned rows
//                                     and 0 for white rows padding a short page
//   FileClose(keepOpen)               ends the page; keepOpen 0 also finishes the file, 1 leaves
//                                     it open so the next FileCreate adds a page to it
//
// Reading (optional):
//   OpenImageFile(name, &pageCount, 0, 0)   opens a file for reading; stores its page count
//   SetPageIndex(index, 0)                  selects a page, 0 the first
//   GetImageData(&dib, &info, 0, 0)         gives the selected page as a new page DIB (movable
//                                           global block, bottom-up, BITMAPINFOHEADER and colour
//                                           table); the caller owns it. `info` may be null.
//   CloseImageFile()
//
// Whole files (optional):
//   FileSaveAs(source, dib, target, option, reserved, options)
//                                     writes `target` from the file `source` (every page) when
//                                     source is not null, else from the page DIB `dib`;
//                                     `option`, when not 0, points to a 32-bit value of the
//                                     plug-in's own meaning
//
// Lists: GetFileExts and GetCompMode store the address of a locked global block of 16-bit
// codes; the caller frees it (GlobalHandle, unlock, GlobalFree).
//   GetFileExts(&list, &count, 0)     the file-format codes the plug-in handles, main one first
//                                     (the count also says whether a file can hold several
//                                     pages: a multipage format reports its code twice)
//   GetCompMode(&list, &count, have)  the compression modes, written after the `have` items
//                                     already in *list (the block grown or replaced as needed);
//                                     count is how many it wrote
//   GetFileExtStr(text)               the plug-in's file extension without the dot, in a
//                                     64-byte buffer
//
// Every entry point answers 0 on success or a negative status.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "scan_page_info.h"

// File-format codes (values of the FILEFORMAT tag).
constexpr int32_t kFileFormatTiff = 0;
constexpr int32_t kFileFormatBmp = 1;
constexpr int32_t kFileFormatJpeg = 2;
constexpr int32_t kFileFormatPdf = 3;
constexpr int32_t kFileFormatDjvu = 6;
constexpr int32_t kFileFormatPcx = 7;
constexpr int32_t kFileFormatTga = 8;

// Built by the library for every FileCreate and FileSaveAs call.
#pragma pack(push, 1)
struct FileSaveOptions {
  int32_t Compressed;   // 1 unless COMPRESSION is 11
  int32_t Jpeg;         // 1 when COMPRESSION is 11
  int32_t Quality;      // COMPRESSQUALITY
};
#pragma pack(pop)
static_assert(sizeof(FileSaveOptions) == 12);
static_assert(offsetof(FileSaveOptions, Quality) == 8);

constexpr size_t kFileExtTextSize = 64;

typedef int32_t(__stdcall* FileCreateProc)(const char* name, ScanPageInfo* page,
                                           const FileSaveOptions* options);
typedef int32_t(__stdcall* FileSaveProc)(const void* rows, int32_t rowBytes, int32_t rowCount,
                                         int32_t received, int32_t reserved);
typedef int32_t(__stdcall* FileCloseProc)(int32_t keepOpen);
typedef int32_t(__stdcall* GetFileExtsProc)(uint16_t** list, int32_t* count, int32_t reserved);
typedef int32_t(__stdcall* GetFileExtStrProc)(char* text);
typedef int32_t(__stdcall* GetCompModeProc)(uint16_t** list, int32_t* count, int32_t have);
typedef int32_t(__stdcall* OpenImageFileProc)(const char* name, int32_t* pageCount,
                                              intptr_t reserved1, intptr_t reserved2);
typedef int32_t(__stdcall* GetImageDataProc)(HGLOBAL* dib, ScanPageInfo* info,
                                             intptr_t reserved1, intptr_t reserved2);
typedef int32_t(__stdcall* SetPageIndexProc)(int32_t index, intptr_t reserved);
typedef int32_t(__stdcall* CloseImageFileProc)();
typedef int32_t(__stdcall* FileSaveAsProc)(const char* source, HGLOBAL dib, const char* target,
                                           intptr_t option, intptr_t reserved,
                                           const FileSaveOptions* options);
