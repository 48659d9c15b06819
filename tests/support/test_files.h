// Small helpers the Windows tests share: binding a library's exports by name, the folder the
// test program runs from, a name in the temporary folder, and removing a case folder with everything in it.
#pragma once
#include <windows.h>

#include <string>

// Binds the export `name` of `module` to `*slot`; false when it is missing.
template <typename T>
bool Bind(HMODULE module, const char* name, T* slot) {
  *slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return *slot != nullptr;
}

// The test program's own folder, ending in a backslash.
std::string FolderOfThisProgram();

// The folder above it (the build's bin folder for a test program in a folder of its own).
std::string FolderAboveThisProgram();

// `name` in the temporary folder.
std::string TempPath(const std::string& name);

// "<temp><name>\", made afresh: whatever an earlier run left there is deleted first.
std::string FreshTempFolder(const std::string& name);

// Values the scan library reads under HKCU "Software\Quandrix".
void StoreLibraryInt(const char* name, DWORD value);
void StoreLibraryText(const char* name, const std::string& text);

// Deletes `folder` (ending in a backslash) and everything below it.
void DeleteFolder(const std::string& folder);
