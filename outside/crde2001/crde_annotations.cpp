// The annotation engine: per viewer, the rectangles of the page it shows, in image coordinates.
// Pages are kept in ".ant" files (one INI section per page) or handed over as text; the viewer's
// callbacks hear of every item drawn, a rectangle is made by dragging in the edit mode, and a
// click on an item is posted to the viewer's window.
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "annotation_model.h"
#include "crde2001.h"
#include "file_stream.h"

namespace {

using crdeanno::Item;
using crdeanno::Point;

typedef int32_t(__stdcall* AfterDrawProc)(void* owner, const char* name);
typedef int32_t(__stdcall* BeforeDrawProc)(void* owner, int32_t passCode, int16_t* canDraw,
                                           const char* name);
typedef int32_t(__stdcall* CustomHardDrawProc)(void* owner, HBITMAP bitmap, const char* name,
                                               int32_t x, int32_t y, int32_t xx, int32_t yy);
typedef int32_t(__stdcall* CustomDrawProc)(void* owner, HDC dc, const char* name, int32_t x,
                                           int32_t y, int32_t xx, int32_t yy);
typedef int32_t(__stdcall* DoneProc)(void* owner);

constexpr UINT kAnnotationClicked = WM_USER + 0x201;
constexpr int32_t kDeleteSelected = 0x7F01;  // a menu command: the selected item goes
constexpr size_t kStreamBlock = 15000;       // what the viewer hands the stream save
constexpr const char* kCustomPrefix = "Custom:";  // items the viewer draws itself

struct ViewerAnnotations {
  HWND window = nullptr;
  void* owner = nullptr;
  AfterDrawProc afterDraw = nullptr;
  BeforeDrawProc beforeDraw = nullptr;
  CustomHardDrawProc customHardDraw = nullptr;
  CustomDrawProc customDraw = nullptr;
  DoneProc done = nullptr;
  crdeanno::Page items;
  crdeanno::View view;  // of the last drawing, which the mouse follows
  crdeanno::RectangleDrag drag;
  int32_t selected = -1;
  int32_t made = 0;     // rectangles made so far, for their names
};

std::map<void*, ViewerAnnotations>& Viewers() {
  static std::map<void*, ViewerAnnotations> viewers;
  return viewers;
}

ViewerAnnotations* Find(void* viewer) {
  auto it = Viewers().find(viewer);
  return it == Viewers().end() ? nullptr : &it->second;
}

ViewerAnnotations& Get(void* viewer) { return Viewers()[viewer]; }

bool ReadText(const char* path, std::string* text) {
  std::vector<uint8_t> bytes;
  if (!dibglue::FileExists(path)) {
    text->clear();
    return true;
  }
  if (dibglue::ReadWholeFile(path, bytes) != imagecore::kOk) return false;
  text->assign(bytes.begin(), bytes.end());
  return true;
}

bool WriteText(const char* path, const std::string& text) {
  return dibglue::WriteWholeFile(path, std::vector<uint8_t>(text.begin(), text.end())) ==
         imagecore::kOk;
}

void Repaint(const ViewerAnnotations& v) {
  if (v.window != nullptr) InvalidateRect(v.window, nullptr, FALSE);
}

void DrawItem(ViewerAnnotations& v, const Item& it, HDC dc) {
  const Point a = crdeanno::ToDevice(v.view, {it.left, it.top});
  const Point b = crdeanno::ToDevice(v.view, {it.right, it.bottom});
  if (it.name.rfind(kCustomPrefix, 0) == 0) {
    if (v.customDraw != nullptr) v.customDraw(v.owner, dc, it.name.c_str(), a.x, a.y, b.x, b.y);
    return;
  }
  HPEN pen = CreatePen(PS_SOLID, 1, it.colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, a.x, a.y, b.x, b.y);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void DrawBand(const ViewerAnnotations& v, HDC dc) {
  Point from, to;
  v.drag.Band(&from, &to);
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, from.x, from.y, to.x, to.y);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace

extern "C" int32_t __stdcall IsAnnotation(void* viewer) {
  const ViewerAnnotations* v = Find(viewer);
  return v != nullptr ? int32_t(v->items.size()) : 0;
}

extern "C" int32_t __stdcall InitAnnotation(void* viewer, HWND window, void* owner,
                                            void* afterDraw, void* beforeDraw,
                                            void* customHardDraw, void* customDraw, void* done,
                                            const char*) {
  if (viewer == nullptr) return 0;
  ViewerAnnotations& v = Get(viewer);
  v.window = window;
  v.owner = owner;
  v.afterDraw = reinterpret_cast<AfterDrawProc>(afterDraw);
  v.beforeDraw = reinterpret_cast<BeforeDrawProc>(beforeDraw);
  v.customHardDraw = reinterpret_cast<CustomHardDrawProc>(customHardDraw);
  v.customDraw = reinterpret_cast<CustomDrawProc>(customDraw);
  v.done = reinterpret_cast<DoneProc>(done);
  return 1;
}

extern "C" int32_t __stdcall DestroyAnnotation(void* viewer) {
  Viewers().erase(viewer);
  return 1;
}

extern "C" int32_t __stdcall DrawAnnotationWholeDC(void* viewer, double zoom, int32_t xOffset,
                                                   int32_t yOffset, int16_t, int16_t, int32_t,
                                                   HDC dc) {
  ViewerAnnotations* v = Find(viewer);
  if (v == nullptr || dc == nullptr) return 0;
  v->view = {zoom > 0 ? zoom : 1.0, xOffset, yOffset};
  for (const Item& it : v->items) {
    int16_t canDraw = 1;
    if (v->beforeDraw != nullptr) v->beforeDraw(v->owner, 0, &canDraw, it.name.c_str());
    if (canDraw != 1) continue;
    DrawItem(*v, it, dc);
    if (v->afterDraw != nullptr) v->afterDraw(v->owner, it.name.c_str());
  }
  if (v->drag.Active()) DrawBand(*v, dc);
  return 1;
}

extern "C" int32_t __stdcall MouseMon(void* viewer, uint32_t message, WPARAM, LPARAM point) {
  ViewerAnnotations* v = Find(viewer);
  if (v == nullptr) return 0;
  const Point device{int16_t(LOWORD(point)), int16_t(HIWORD(point))};
  switch (message) {
    case WM_LBUTTONDOWN: {
      const int32_t hit = crdeanno::HitItem(v->items, crdeanno::ToImage(v->view, device));
      if (hit >= 0) {
        v->selected = hit;
        if (v->window != nullptr) PostMessageA(v->window, kAnnotationClicked, 1, hit + 1);
        return 1;
      }
      v->drag.Press(v->view, device);
      return 1;
    }
    case WM_MOUSEMOVE:
      if (!v->drag.Active()) return 0;
      v->drag.Move(device);
      Repaint(*v);
      return 1;
    case WM_LBUTTONUP: {
      std::optional<Item> made = v->drag.Release(device);
      if (made) {
        made->name = "Rectangle" + std::to_string(++v->made);
        v->items.push_back(*made);
        if (v->done != nullptr) v->done(v->owner);
      }
      Repaint(*v);
      return made ? 1 : 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      v->drag.Cancel();
      Repaint(*v);
      return 1;
    default:
      return 0;
  }
}

extern "C" int32_t __stdcall MenuMsg(void* viewer, int32_t command) {
  ViewerAnnotations* v = Find(viewer);
  if (v == nullptr || command != kDeleteSelected) return 0;
  if (v->selected < 0 || v->selected >= int32_t(v->items.size())) return 0;
  v->items.erase(v->items.begin() + v->selected);
  v->selected = -1;
  if (v->done != nullptr) v->done(v->owner);
  Repaint(*v);
  return 1;
}

extern "C" int32_t __stdcall ClearAnnotation(void* viewer) {
  ViewerAnnotations* v = Find(viewer);
  if (v != nullptr) {
    v->items.clear();
    v->selected = -1;
    v->drag.Cancel();
  }
  return 1;
}

extern "C" int32_t __stdcall RubberBandOFF(void* viewer) {
  ViewerAnnotations* v = Find(viewer);
  if (v != nullptr && v->drag.Active()) {
    v->drag.Cancel();
    Repaint(*v);
  }
  return 1;
}

// Page `index` of the file: its items count, 0 for a page the file has none for, -1 when the
// file cannot be read, -2 when its section is damaged.
extern "C" int32_t __stdcall LoadAnnotation(void* viewer, int32_t index, const char* file) {
  if (viewer == nullptr || file == nullptr) return -1;
  std::string text;
  if (!ReadText(file, &text)) return -1;
  ViewerAnnotations& v = Get(viewer);
  crdeanno::Page page;
  v.selected = -1;
  if (!crdeanno::ReadPage(text, index, &page)) {
    v.items.clear();
    return text.find("[Page " + std::to_string(index) + "]") == std::string::npos ? 0 : -2;
  }
  v.items = std::move(page);
  return int32_t(v.items.size());
}

// The shown page's items into section `index` of the file (other pages kept): their count, or
// -1 when the file cannot be read or written.
extern "C" int32_t __stdcall SaveAnnotation(void* viewer, int32_t index, const char* file) {
  if (viewer == nullptr || file == nullptr) return -1;
  std::string text;
  if (!ReadText(file, &text)) return -1;
  const ViewerAnnotations& v = Get(viewer);
  if (!WriteText(file, crdeanno::WithPage(text, index, v.items))) return -1;
  return int32_t(v.items.size());
}

// The shown page's items as text into the caller's block of kStreamBlock bytes (*data points
// at it; the pointer is never replaced): the bytes written without the terminator, or -1 for
// no block and -3 when the text does not fit (the block then holds an empty text).
extern "C" int32_t __stdcall StreamSaveAnnotation(void* viewer, int32_t, void** data) {
  if (viewer == nullptr || data == nullptr || *data == nullptr) return -1;
  char* block = static_cast<char*>(*data);
  const ViewerAnnotations& v = Get(viewer);
  const std::string body = crdeanno::PageBody(v.items);
  if (body.size() + 1 > kStreamBlock) {
    block[0] = '\0';
    return -3;
  }
  std::memcpy(block, body.c_str(), body.size() + 1);
  return int32_t(body.size());
}

extern "C" int32_t __stdcall StreamLoadAnnotation(void* viewer, int32_t, void* data) {
  if (viewer == nullptr || data == nullptr) return -1;
  crdeanno::Page page;
  if (!crdeanno::ParseBody(static_cast<const char*>(data), &page)) return -2;
  ViewerAnnotations& v = Get(viewer);
  v.items = std::move(page);
  v.selected = -1;
  return int32_t(v.items.size());
}

// data is the ".ant" file's name: the page's section goes, later pages move down by one.
extern "C" int32_t __stdcall RemoveAnnotation(void*, int32_t index, void* data) {
  const char* file = static_cast<const char*>(data);
  std::string text;
  if (file == nullptr || !dibglue::FileExists(file) || !ReadText(file, &text)) return -1;
  return WriteText(file, crdeanno::WithoutPage(text, index)) ? 0 : -1;
}

// data is the ".ant" file's name: the pages from index on move up by one.
extern "C" int32_t __stdcall InsertAnnotation(void*, int32_t index, void* data) {
  const char* file = static_cast<const char*>(data);
  std::string text;
  if (file == nullptr || !dibglue::FileExists(file) || !ReadText(file, &text)) return -1;
  return WriteText(file, crdeanno::WithInsertedPage(text, index)) ? 0 : -1;
}
