#include "anno_bindings.h"

#include <cstring>

#include "crde2001.h"
#include "dll_loader.h"

std::string ProcAddressError(const std::string& name) {
  return "Error. Could not get a procaddress for " + name + ". This could be" +
         "related to a dll name or version missmatch of " + "CRDE2001.DLL";
}

namespace {

template <typename Proc>
Proc Bound(const char* entry, Proc& proc, const char* shownName = nullptr) {
  if (!BindCrde(entry, proc)) throw ErrorInvalid(ProcAddressError(shownName ? shownName : entry));
  return proc;
}

}  // namespace

int32_t DllIsAnnotation(void* viewer) {
  static IsAnnotationProc p = nullptr;
  return Bound("IsAnnotation", p, "QmIsAnnotation")(viewer);
}

int32_t DllMouseMon(void* viewer, uint32_t message, WPARAM wParam, LPARAM lParam) {
  static MouseMonProc p = nullptr;
  return Bound("MouseMon", p)(viewer, message, wParam, lParam);
}

int32_t DllInitAnnotation(void* viewer, HWND window, void* owner, void* c1, void* c2, void* c3, void* c4,
                          void* c5, const char* settingsPath) {
  static InitAnnotationProc p = nullptr;
  return Bound("InitAnnotation", p)(viewer, window, owner, c1, c2, c3, c4, c5, settingsPath);
}

int32_t DllDestroyAnnotation(void* viewer) {
  static DestroyAnnotationProc p = nullptr;
  return Bound("DestroyAnnotation", p)(viewer);
}

int32_t DllDrawAnnotationWholeDC(void* viewer, int32_t xOffset, int32_t yOffset, double zoom, int16_t a,
                                 int16_t b, int32_t c, HDC dc) {
  static DrawAnnotationWholeDCProc p = nullptr;
  return Bound("DrawAnnotationWholeDC", p)(viewer, zoom, xOffset, yOffset, a, b, c, dc);
}

int32_t DllMenuMsg(void* viewer, int32_t command) {
  static MenuMsgProc p = nullptr;
  return Bound("MenuMsg", p)(viewer, command);
}

int32_t DllClearAnnotation(void* viewer) {
  static ClearAnnotationProc p = nullptr;
  return Bound("ClearAnnotation", p)(viewer);
}

int32_t DllRubberBandOff(void* viewer) {
  static RubberBandOFFProc p = nullptr;
  return Bound("RubberBandOFF", p)(viewer);
}

int32_t DllLoadAnnotation(void* viewer, int32_t index, const std::string& file) {
  static LoadAnnotationProc p = nullptr;
  std::string copy = file;  // zero-terminated copy for the library
  return Bound("LoadAnnotation", p)(viewer, index, copy.c_str());
}

int32_t DllSaveAnnotation(void* viewer, int32_t index, const std::string& file) {
  static SaveAnnotationProc p = nullptr;
  std::string copy = file;
  return Bound("SaveAnnotation", p)(viewer, index, copy.c_str());
}

int32_t DllStreamSaveAnnotation(void* viewer, int32_t index, void** data) {
  static StreamSaveAnnotationProc p = nullptr;
  return Bound("StreamSaveAnnotation", p)(viewer, index, data);
}

int32_t DllStreamLoadAnnotation(void* viewer, int32_t index, void* data) {
  static StreamLoadAnnotationProc p = nullptr;
  return Bound("StreamLoadAnnotation", p)(viewer, index, data);
}

int32_t DllRemoveAnnotation(void* viewer, int32_t index, void* data) {
  static RemoveAnnotationProc p = nullptr;
  return Bound("RemoveAnnotation", p)(viewer, index, data);
}

int32_t DllInsertAnnotation(void* viewer, int32_t index, void* data) {
  static InsertAnnotationProc p = nullptr;
  return Bound("InsertAnnotation", p)(viewer, index, data);
}

char* AnnoIniPath() {
  char* path = new char[510]();
  UINT n = GetWindowsDirectoryA(path, 510 - 14);
  if (n == 0 || n >= 510 - 14) n = 0;
  std::strcpy(path + n, "\\qm_anno.ini");
  return path;
}
