// Writing whole test pages through a line session, and reading files back.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_reader.h"
#include "line_session.h"
#include "memory_target.h"
#include "test_pages.h"

namespace testpages {

// Sends the page in blocks of `block` rows, as the scan library does with a transfer buffer.
inline fileplugins::PluginStatus SendPage(fileplugins::LineSession& s, const char* name, PageKind kind,
                                          uint32_t width, uint32_t length, int seed,
                                          int16_t compression = 0, uint32_t block = 7,
                                          int32_t quality = 11) {
  ScanPageInfo info = Info(kind, int32_t(width), int32_t(length), compression);
  fileplugins::PluginStatus st = s.Create(name, &info, quality);
  if (st != fileplugins::kPluginOk) return st;
  const size_t line = fileplugins::RowBytesOf(width, kind);
  for (uint32_t y = 0; y < length; y += block) {
    const uint32_t n = std::min(block, length - y);
    std::vector<uint8_t> rows;
    for (uint32_t r = 0; r < n; ++r) {
      std::vector<uint8_t> one = Row(kind, width, y + r, seed);
      rows.insert(rows.end(), one.begin(), one.end());
    }
    st = s.Save(rows.data(), int32_t(line), int32_t(n), 1);
    if (st != fileplugins::kPluginOk) return st;
  }
  return fileplugins::kPluginOk;
}

inline std::vector<imagecore::Image> ReadBack(const std::vector<uint8_t>& bytes, fileplugins::FileKind kind) {
  fileplugins::ImageFileReader reader;
  std::vector<imagecore::Image> pages;
  EXPECT_EQ(reader.Open(bytes, kind), fileplugins::kPluginOk);
  for (uint32_t i = 0; i < reader.Pages(); ++i) {
    imagecore::Image image;
    EXPECT_EQ(reader.ReadPage(i, image), fileplugins::kPluginOk);
    pages.push_back(image);
  }
  return pages;
}

}  // namespace testpages
