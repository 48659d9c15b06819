// Pavlot, the scan library: its exported interface. Every export is a flat stdcall function
// with a fixed ordinal, answering a status code (0 success, negative failure).
#pragma once
#include <windows.h>

#include <cstdint>

extern "C" {
int32_t __stdcall ZebLoad(HWND owner);                 // @1
int32_t __stdcall ZebFree();                           // @2
int32_t __stdcall ZebSelectSource();                   // @3
int32_t __stdcall ZebSetSource(const char* name);      // @13, "__Source__" for the list
}
