// A page file of the batch read as a page DIB with the reader its file type chooses.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "crde_bindings.h"

namespace tarnwick {

// The file's first page as a new page DIB (the caller's), or null for a file of no image type
// or one its reader refused. info receives what the file-information routine said. Errors of
// the imaging library (a file that cannot be opened) are raised as it raises them.
HGLOBAL ReadPageFile(const std::string& file, QmFileInfo& info);

// The entries of the main window's file list, in its order.
std::vector<std::string> FileListEntries(HWND list);

// Size in bytes of a page block, 0 for none.
SIZE_T PageBlockSize(HGLOBAL dib);

}  // namespace tarnwick
