// Wrappers of the annotation entry points of CRDE2001.DLL for the viewer. A missing entry point
// raises ErrorInvalid with ProcAddressError; a library that cannot be loaded raises the loader's
// "Can't load ..." error. Nothing here catches what the library throws.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

std::string ProcAddressError(const std::string& name);

int32_t DllIsAnnotation(void* viewer);
int32_t DllMouseMon(void* viewer, uint32_t message, WPARAM wParam, LPARAM lParam);
int32_t DllInitAnnotation(void* viewer, HWND window, void* owner, void* callback1, void* callback2,
                          void* callback3, void* callback4, void* callback5, const char* settingsPath);
int32_t DllDestroyAnnotation(void* viewer);
// zoom is the scale percent / 100; the offsets are already divided by it.
int32_t DllDrawAnnotationWholeDC(void* viewer, int32_t xOffset, int32_t yOffset, double zoom, int16_t a,
                                 int16_t b, int32_t c, HDC dc);
int32_t DllMenuMsg(void* viewer, int32_t command);
int32_t DllClearAnnotation(void* viewer);
int32_t DllRubberBandOff(void* viewer);
int32_t DllLoadAnnotation(void* viewer, int32_t index, const std::string& file);
int32_t DllSaveAnnotation(void* viewer, int32_t index, const std::string& file);
int32_t DllStreamSaveAnnotation(void* viewer, int32_t index, void** data);
int32_t DllStreamLoadAnnotation(void* viewer, int32_t index, void* data);
int32_t DllRemoveAnnotation(void* viewer, int32_t index, void* data);
int32_t DllInsertAnnotation(void* viewer, int32_t index, void* data);

// The Windows folder followed by "\qm_anno.ini", in a new 510-byte block the caller frees
// with delete[].
char* AnnoIniPath();
