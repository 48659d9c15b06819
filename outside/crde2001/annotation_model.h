// The annotation engine's platform-free part: a page's annotation items in image coordinates,
// the ".ant" file (INI text with one section per page), the one rule that turns image
// coordinates into device coordinates and back, and the rectangle a mouse drag makes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace crdeanno {

// A rectangle over the page, in image pixels; right and bottom exclusive.
struct Item {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  uint32_t colour = 0x0000FF;  // COLORREF: red
  std::string name;
  bool operator==(const Item& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
           colour == o.colour && name == o.name;
  }
};
using Page = std::vector<Item>;

// ---- the ".ant" file: "[Page N]" sections (N the page index), "Count=n",
// ---- "ItemK=Rect,left,top,right,bottom,colour,name" ----

// The lines of one page's section body.
std::string PageBody(const Page& page);
// The items of a section body; false when a line cannot be read (nothing is kept then).
bool ParseBody(const std::string& body, Page* page);

// The file's text with page `index` set to `page` (an empty page drops its section).
std::string WithPage(const std::string& file, int32_t index, const Page& page);
// Page `index` of the file's text; false when the file has no such section or it is damaged.
bool ReadPage(const std::string& file, int32_t index, Page* page);
// A page removed: its section goes and the sections after it move down by one.
std::string WithoutPage(const std::string& file, int32_t index);
// A page inserted at index: the sections from it on move up by one, the new page has none.
std::string WithInsertedPage(const std::string& file, int32_t index);

// ---- coordinates ----

// How the page is drawn: device = (image - offset) x zoom; image = device / zoom + offset.
struct View {
  double zoom = 1.0;
  int32_t xOffset = 0, yOffset = 0;
};
struct Point {
  int32_t x = 0, y = 0;
};
Point ToDevice(const View& view, Point image);
Point ToImage(const View& view, Point device);

// ---- editing with the mouse ----

class RectangleDrag {
 public:
  void Press(const View& view, Point device);
  void Move(Point device);
  // The rectangle made, in image coordinates, when the drag covered more than a pixel.
  std::optional<Item> Release(Point device);
  void Cancel() { active_ = false; }
  bool Active() const { return active_; }
  // The band as drawn, in device coordinates.
  void Band(Point* from, Point* to) const;

 private:
  bool active_ = false;
  View view_;
  Point start_, current_;
};

// The last item under the image point, or -1.
int32_t HitItem(const Page& page, Point image);

}  // namespace crdeanno
