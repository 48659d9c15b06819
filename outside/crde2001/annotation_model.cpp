#include "annotation_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace crdeanno {
namespace {

std::string SectionName(int32_t index) { return "Page " + std::to_string(index); }

// The file as its sections in order, each with its name and body; text before the first
// section is kept as it is.
struct Section {
  std::string name, body;
};
struct AntText {
  std::string preamble;
  std::vector<Section> sections;
};

std::string TrimLine(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.pop_back();
  size_t start = line.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : line.substr(start);
}

AntText Split(const std::string& file) {
  AntText text;
  std::istringstream in(file);
  std::string line;
  Section* current = nullptr;
  while (std::getline(in, line)) {
    const std::string t = TrimLine(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      text.sections.push_back({t.substr(1, t.size() - 2), {}});
      current = &text.sections.back();
    } else if (current != nullptr) {
      if (!t.empty()) current->body += t + "\n";
    } else {
      text.preamble += line + "\n";
    }
  }
  return text;
}

std::string Join(const AntText& text) {
  std::string out = text.preamble;
  for (const Section& s : text.sections) out += "[" + s.name + "]\n" + s.body;
  return out;
}

// The page index a section stands for, or -1 for a section of another kind.
int32_t IndexOf(const Section& s) {
  if (s.name.rfind("Page ", 0) != 0) return -1;
  char* end = nullptr;
  const long v = std::strtol(s.name.c_str() + 5, &end, 10);
  return *end == '\0' && v >= 0 && v < 0x7fffffff ? int32_t(v) : -1;
}

bool ToInt(const std::string& text, int64_t low, int64_t high, int64_t* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0' || v < low || v > high) return false;
  *out = v;
  return true;
}

int32_t Round(double v) { return int32_t(std::lround(v)); }

}  // namespace

std::string PageBody(const Page& page) {
  std::string body = "Count=" + std::to_string(page.size()) + "\n";
  for (size_t i = 0; i < page.size(); ++i) {
    const Item& it = page[i];
    body += "Item" + std::to_string(i + 1) + "=Rect," + std::to_string(it.left) + "," +
            std::to_string(it.top) + "," + std::to_string(it.right) + "," +
            std::to_string(it.bottom) + "," + std::to_string(it.colour) + "," + it.name + "\n";
  }
  return body;
}

bool ParseBody(const std::string& body, Page* page) {
  std::map<std::string, std::string> keys;
  std::istringstream in(body);
  std::string line;
  while (std::getline(in, line)) {
    line = TrimLine(line);
    const size_t eq = line.find('=');
    if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  int64_t count = 0;
  if (!ToInt(keys["Count"], 0, 100000, &count)) return false;
  Page items;
  for (int64_t i = 1; i <= count; ++i) {
    const std::string& value = keys["Item" + std::to_string(i)];
    std::vector<std::string> fields;
    size_t start = 0;
    for (int f = 0; f < 6; ++f) {
      const size_t comma = value.find(',', start);
      if (comma == std::string::npos) return false;
      fields.push_back(value.substr(start, comma - start));
      start = comma + 1;
    }
    if (fields[0] != "Rect") return false;
    int64_t v[5];
    for (int f = 0; f < 5; ++f)
      if (!ToInt(fields[f + 1], f == 4 ? 0 : -0x7fffffffLL, f == 4 ? 0xFFFFFF : 0x7fffffffLL, &v[f]))
        return false;
    Item it;
    it.left = int32_t(v[0]);
    it.top = int32_t(v[1]);
    it.right = int32_t(v[2]);
    it.bottom = int32_t(v[3]);
    it.colour = uint32_t(v[4]);
    it.name = value.substr(start);
    items.push_back(it);
  }
  *page = std::move(items);
  return true;
}

std::string WithPage(const std::string& file, int32_t index, const Page& page) {
  AntText text = Split(file);
  auto& s = text.sections;
  s.erase(std::remove_if(s.begin(), s.end(), [&](const Section& x) { return IndexOf(x) == index; }),
          s.end());
  if (!page.empty()) {
    auto at = std::find_if(s.begin(), s.end(), [&](const Section& x) { return IndexOf(x) > index; });
    s.insert(at, Section{SectionName(index), PageBody(page)});
  }
  return Join(text);
}

bool ReadPage(const std::string& file, int32_t index, Page* page) {
  for (const Section& s : Split(file).sections)
    if (IndexOf(s) == index) return ParseBody(s.body, page);
  return false;
}

std::string WithoutPage(const std::string& file, int32_t index) {
  AntText text = Split(file);
  std::vector<Section> kept;
  for (Section& s : text.sections) {
    const int32_t i = IndexOf(s);
    if (i == index) continue;
    if (i > index) s.name = SectionName(i - 1);
    kept.push_back(std::move(s));
  }
  text.sections = std::move(kept);
  return Join(text);
}

std::string WithInsertedPage(const std::string& file, int32_t index) {
  AntText text = Split(file);
  for (Section& s : text.sections) {
    const int32_t i = IndexOf(s);
    if (i >= index) s.name = SectionName(i + 1);
  }
  return Join(text);
}

Point ToDevice(const View& v, Point p) {
  return {Round((p.x - v.xOffset) * v.zoom), Round((p.y - v.yOffset) * v.zoom)};
}

Point ToImage(const View& v, Point p) {
  const double zoom = v.zoom > 0 ? v.zoom : 1.0;
  return {Round(p.x / zoom + v.xOffset), Round(p.y / zoom + v.yOffset)};
}

void RectangleDrag::Press(const View& view, Point device) {
  active_ = true;
  view_ = view;
  start_ = current_ = device;
}

void RectangleDrag::Move(Point device) {
  if (active_) current_ = device;
}

std::optional<Item> RectangleDrag::Release(Point device) {
  if (!active_) return std::nullopt;
  active_ = false;
  const Point a = ToImage(view_, start_), b = ToImage(view_, device);
  Item it;
  it.left = std::min(a.x, b.x);
  it.top = std::min(a.y, b.y);
  it.right = std::max(a.x, b.x);
  it.bottom = std::max(a.y, b.y);
  if (it.right - it.left < 2 || it.bottom - it.top < 2) return std::nullopt;
  return it;
}

void RectangleDrag::Band(Point* from, Point* to) const {
  *from = start_;
  *to = current_;
}

int32_t HitItem(const Page& page, Point p) {
  for (size_t i = page.size(); i-- > 0;) {
    const Item& it = page[i];
    if (p.x >= it.left && p.x < it.right && p.y >= it.top && p.y < it.bottom) return int32_t(i);
  }
  return -1;
}

}  // namespace crdeanno
