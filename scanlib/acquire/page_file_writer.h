// File transfer with pages the library writes itself: page files named, created, filled row by
// row through the current file-format plug-in, padded white when short, and closed by the
// MULTIPAGE rule.
#pragma once
#include <cstdint>

#include "scan_page_info.h"

// The plug-in calls the writer makes (the library's file exports; a test gives its own).
struct PageFileOps {
  int32_t(__stdcall* Create)(const char* name, ScanPageInfo* page, intptr_t unused);
  int32_t(__stdcall* Save)(const void* rows, int32_t rowBytes, int32_t rowCount, int32_t received,
                           int32_t reserved);
  int32_t(__stdcall* Close)(int32_t keepOpen);
};
void SetPageFileOps(const PageFileOps& ops);

// Clears what the previous acquisition's files left behind.
void ResetPageFiles();
// Whether page files of the file-name tag's target fit the name buffer, numbered as this scan
// will number them.
bool PageFileNamesFit();

// A new page (event 2, or the processed page of deskew/crop): names and creates its file.
int32_t BeginPageFile();
// A data block of the page with the driver's code.
int32_t WritePageFileBlock(uint32_t* size, int32_t code);
// File transfer where the driver wrote the file: the application hears the file's real name.
int32_t TellDriverWrittenFile(void* templateName, uint32_t* size);
// The end of the acquisition: closes what is open and tells the application of the last file,
// when one was written; the file-name tag is emptied so the next file transfer asks again.
void FinishPageFiles();
