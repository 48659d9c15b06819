#include "window_picture.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace windriver {

namespace {

size_t RowBytes(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t(3); }

bool EndsWithPng(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return tail == ".png";
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool WriteBmp(FILE* f, int width, int height, const uint8_t* rows) {
  size_t row = RowBytes(width);
  std::vector<uint8_t> head;
  head.push_back('B');
  head.push_back('M');
  Put32(head, static_cast<uint32_t>(54 + row * height));
  Put32(head, 0);
  Put32(head, 54);
  Put32(head, 40);
  Put32(head, static_cast<uint32_t>(width));
  Put32(head, static_cast<uint32_t>(height));  // bottom-up
  head.push_back(1); head.push_back(0);
  head.push_back(24); head.push_back(0);
  Put32(head, 0);
  Put32(head, static_cast<uint32_t>(row * height));
  Put32(head, 3780);
  Put32(head, 3780);
  Put32(head, 0);
  Put32(head, 0);
  if (fwrite(head.data(), 1, head.size(), f) != head.size()) return false;
  for (int y = height - 1; y >= 0; --y)
    if (fwrite(rows + row * y, 1, row, f) != row) return false;
  return true;
}

bool WritePng(FILE* f, int width, int height, const uint8_t* rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  size_t row = RowBytes(width);
  for (int y = 0; y < height; ++y) png_write_row(png, const_cast<png_bytep>(rows + row * y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePicture(const std::string& fileName, int width, int height, const uint8_t* bgrRows) {
  FILE* f = std::fopen(fileName.c_str(), "wb");
  if (!f) return false;
  bool ok = EndsWithPng(fileName) ? WritePng(f, width, height, bgrRows)
                                  : WriteBmp(f, width, height, bgrRows);
  ok = std::fclose(f) == 0 && ok;
  if (!ok) std::remove(fileName.c_str());
  return ok;
}

}  // namespace windriver
