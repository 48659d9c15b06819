// The save dialog's filter and default extension from FILEFORMAT's choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "save_filter.h"

namespace {

using namespace std::string_literals;

struct FilterCase {
  std::vector<int32_t> choices;
  int32_t current;
  std::string filter;
  std::string extension;
  std::vector<int32_t> formats;
};

const FilterCase kCases[] = {
    {{0, 2, 3}, 0, "TIF(*.tif)\0*.tif\0JPEG(*.jpg)\0*.jpg\0PDF(*.pdf)\0*.pdf\0\0"s, "tif", {0, 2, 3}},
    {{1}, 1, "BMP(*.bmp)\0*.bmp\0\0"s, "bmp", {1}},
    {{6, 7, 8}, 0, "Djvu(*.djvu)\0*.djvu\0PC Paintbrush(*.pcx)\0*.pcx\0Tga(*.tga)\0*.tga\0\0"s, "djvu", {6, 7, 8}},
    // Each format once; unknown codes add nothing.
    {{3, 4, 3, 0, 5}, 0, "PDF(*.pdf)\0*.pdf\0TIF(*.tif)\0*.tif\0\0"s, "pdf", {3, 0}},
    {{7, 8}, 0, "PC Paintbrush(*.pcx)\0*.pcx\0Tga(*.tga)\0*.tga\0\0"s, "Pcx", {7, 8}},
    // Nothing usable: still one line, the current format when it is known, else TIFF.
    {{}, 2, "JPEG(*.jpg)\0*.jpg\0\0"s, "jpg", {2}},
    {{4, 5}, 9, "TIF(*.tif)\0*.tif\0\0"s, "tif", {0}},
};

TEST(SaveFilter, LinesExtensionAndFormatsFollowTheChoices) {
  for (const FilterCase& c : kCases) {
    const SaveFilter f = BuildSaveFilter(c.choices, c.current);
    EXPECT_EQ(f.filter, c.filter) << c.extension;
    EXPECT_EQ(f.defaultExtension, c.extension);
    EXPECT_EQ(f.formats, c.formats) << c.extension;
  }
}

TEST(SaveFilter, EndsWithAnEmptyPair) {
  const SaveFilter f = BuildSaveFilter({0}, 0);
  ASSERT_GE(f.filter.size(), 2u);
  EXPECT_EQ(f.filter[f.filter.size() - 1], '\0');
  EXPECT_EQ(f.filter[f.filter.size() - 2], '\0');
}

TEST(SaveFilter, SelectedLineGivesItsFormatAndABadIndexTheFirst) {
  const SaveFilter f = BuildSaveFilter({0, 2, 3}, 0);
  const struct {
    uint32_t index;
    int32_t format;
  } rows[] = {{1, 0}, {2, 2}, {3, 3}, {0, 0}, {4, 0}, {0xFFFFFFFFu, 0}};
  for (const auto& r : rows) EXPECT_EQ(FormatOfFilterLine(f, r.index), r.format) << r.index;
}

}  // namespace
