// Texts of a file's version block, read through version.dll.
#pragma once
#include <windows.h>

#include <string>

// Copies the string value `name` of the first translation of file's version block into dest
// (destSize bytes, terminated, cut to fit). Leaves dest unchanged and answers false when the file
// has no version block or no such value.
bool ReadVersionString(const char* file, const char* name, char* dest, size_t destSize);

// The full path of a loaded module ("" when it cannot be told).
std::string ModulePath(HMODULE module);
