#include "pictorel_annotation_port.h"

#include <memory>

#include "anno_bindings.h"

namespace qm {

int32_t PictorelAnnotationPort::Init(void* viewer, HWND window, void* owner,
                                     const AnnotationCallbacks& c) {
  std::unique_ptr<char[]> settings(AnnoIniPath());  // the engine copies what it keeps
  return DllInitAnnotation(viewer, window, owner, reinterpret_cast<void*>(c.afterDraw),
                           reinterpret_cast<void*>(c.beforeDraw),
                           reinterpret_cast<void*>(c.customHardDraw),
                           reinterpret_cast<void*>(c.customDraw), reinterpret_cast<void*>(c.done),
                           settings.get());
}

int32_t PictorelAnnotationPort::Destroy(void* viewer) { return DllDestroyAnnotation(viewer); }

int32_t PictorelAnnotationPort::Draw(void* viewer, int32_t xOffset, int32_t yOffset, HDC dc,
                                     double zoom) {
  return DllDrawAnnotationWholeDC(viewer, xOffset, yOffset, zoom, 0, 0, 0, dc);
}

int32_t PictorelAnnotationPort::MouseMon(void* viewer, uint32_t message, LPARAM point) {
  return DllMouseMon(viewer, message, 0, point);
}

int32_t PictorelAnnotationPort::MenuMsg(void* viewer, int32_t command) {
  return DllMenuMsg(viewer, command);
}

int32_t PictorelAnnotationPort::RubberBandOff(void* viewer) { return DllRubberBandOff(viewer); }
int32_t PictorelAnnotationPort::Clear(void* viewer) { return DllClearAnnotation(viewer); }
int32_t PictorelAnnotationPort::Count(void* viewer) { return DllIsAnnotation(viewer); }

int32_t PictorelAnnotationPort::LoadFile(void* viewer, int32_t page, const std::string& file) {
  return DllLoadAnnotation(viewer, page, file);
}

int32_t PictorelAnnotationPort::SaveFile(void* viewer, int32_t page, const std::string& file) {
  return DllSaveAnnotation(viewer, page, file);
}

int32_t PictorelAnnotationPort::LoadStream(void* viewer, int32_t page, const char* text) {
  return DllStreamLoadAnnotation(viewer, page, const_cast<char*>(text));
}

int32_t PictorelAnnotationPort::SaveStream(void* viewer, int32_t page, char** block) {
  return DllStreamSaveAnnotation(viewer, page, reinterpret_cast<void**>(block));
}

int32_t PictorelAnnotationPort::RemovePage(void* viewer, int32_t page, const std::string& file) {
  std::string name = file;  // zero-terminated for the library
  return DllRemoveAnnotation(viewer, page, &name[0]);
}

int32_t PictorelAnnotationPort::InsertPage(void* viewer, int32_t page, const std::string& file) {
  std::string name = file;
  return DllInsertAnnotation(viewer, page, &name[0]);
}

}  // namespace qm
