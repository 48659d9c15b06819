// This library keeps no annotations: a page never has any, drawing and mouse work do nothing,
// and loading or saving finds nothing to move.
#include "crde2001.h"

extern "C" int32_t __stdcall IsAnnotation(void*) { return 0; }
extern "C" int32_t __stdcall MouseMon(void*, uint32_t, WPARAM, LPARAM) { return 0; }
extern "C" int32_t __stdcall InitAnnotation(void*, HWND, void*, void*, void*, void*, void*, void*,
                                            const char*) {
  return 1;
}
extern "C" int32_t __stdcall DestroyAnnotation(void*) { return 1; }
extern "C" int32_t __stdcall DrawAnnotationWholeDC(void*, double, int32_t, int32_t, int16_t, int16_t,
                                                   int32_t, HDC) {
  return 1;
}
extern "C" int32_t __stdcall MenuMsg(void*, int32_t) { return 0; }
extern "C" int32_t __stdcall ClearAnnotation(void*) { return 1; }
extern "C" int32_t __stdcall RubberBandOFF(void*) { return 1; }
extern "C" int32_t __stdcall LoadAnnotation(void*, int32_t, const char*) { return 0; }
extern "C" int32_t __stdcall SaveAnnotation(void*, int32_t, const char*) { return 0; }
extern "C" int32_t __stdcall StreamSaveAnnotation(void*, int32_t, void** data) {
  if (data) *data = nullptr;
  return 0;
}
extern "C" int32_t __stdcall StreamLoadAnnotation(void*, int32_t, void*) { return 0; }
extern "C" int32_t __stdcall RemoveAnnotation(void*, int32_t, void*) { return 0; }
extern "C" int32_t __stdcall InsertAnnotation(void*, int32_t, void*) { return 0; }
