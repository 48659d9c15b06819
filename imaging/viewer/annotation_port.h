// What the viewer's annotation layer needs from the annotation engine of the file-format
// library. The program's viewer implements it over the library's annotation bindings; a viewer
// made over another imaging port has none and shows no annotations.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace qm {

// The engine's notifications, each with the owner registered at initialisation.
struct AnnotationCallbacks {
  int32_t(__stdcall* afterDraw)(void* owner, const char* name);
  int32_t(__stdcall* beforeDraw)(void* owner, int32_t passCode, int16_t* canDraw, const char* name);
  int32_t(__stdcall* customHardDraw)(void* owner, HBITMAP bitmap, const char* name, int32_t x,
                                     int32_t y, int32_t xx, int32_t yy);
  int32_t(__stdcall* customDraw)(void* owner, HDC dc, const char* name, int32_t x, int32_t y,
                                 int32_t xx, int32_t yy);
  int32_t(__stdcall* done)(void* owner);
};

// Each call raises the imaging components' exception when the engine cannot be reached.
class AnnotationPort {
 public:
  virtual ~AnnotationPort() = default;
  virtual int32_t Init(void* viewer, HWND window, void* owner, const AnnotationCallbacks& callbacks) = 0;
  virtual int32_t Destroy(void* viewer) = 0;
  // The offsets are in image pixels, the zoom the scale percent / 100.
  virtual int32_t Draw(void* viewer, int32_t xOffset, int32_t yOffset, HDC dc, double zoom) = 0;
  virtual int32_t MouseMon(void* viewer, uint32_t message, LPARAM point) = 0;
  virtual int32_t MenuMsg(void* viewer, int32_t command) = 0;
  virtual int32_t RubberBandOff(void* viewer) = 0;
  virtual int32_t Clear(void* viewer) = 0;
  virtual int32_t Count(void* viewer) = 0;
  virtual int32_t LoadFile(void* viewer, int32_t page, const std::string& file) = 0;
  virtual int32_t SaveFile(void* viewer, int32_t page, const std::string& file) = 0;
  virtual int32_t LoadStream(void* viewer, int32_t page, const char* text) = 0;
  virtual int32_t SaveStream(void* viewer, int32_t page, char** block) = 0;
  virtual int32_t RemovePage(void* viewer, int32_t page, const std::string& file) = 0;
  virtual int32_t InsertPage(void* viewer, int32_t page, const std::string& file) = 0;
};

}  // namespace qm
