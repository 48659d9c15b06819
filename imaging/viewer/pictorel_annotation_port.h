// The annotation layer's engine as the program reaches it: the annotation bindings of the
// file-format library.
#pragma once
#include "annotation_port.h"

namespace qm {

class PictorelAnnotationPort : public AnnotationPort {
 public:
  int32_t Init(void* viewer, HWND window, void* owner, const AnnotationCallbacks& callbacks) override;
  int32_t Destroy(void* viewer) override;
  int32_t Draw(void* viewer, int32_t xOffset, int32_t yOffset, HDC dc, double zoom) override;
  int32_t MouseMon(void* viewer, uint32_t message, LPARAM point) override;
  int32_t MenuMsg(void* viewer, int32_t command) override;
  int32_t RubberBandOff(void* viewer) override;
  int32_t Clear(void* viewer) override;
  int32_t Count(void* viewer) override;
  int32_t LoadFile(void* viewer, int32_t page, const std::string& file) override;
  int32_t SaveFile(void* viewer, int32_t page, const std::string& file) override;
  int32_t LoadStream(void* viewer, int32_t page, const char* text) override;
  int32_t SaveStream(void* viewer, int32_t page, char** block) override;
  int32_t RemovePage(void* viewer, int32_t page, const std::string& file) override;
  int32_t InsertPage(void* viewer, int32_t page, const std::string& file) override;
};

}  // namespace qm
