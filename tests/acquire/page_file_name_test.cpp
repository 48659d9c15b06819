#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_file_name.h"

namespace {

struct NamingCase {
  const char* name;
  const char* target;
  PageFileNaming naming;
  std::vector<std::string> pages;  // the names of pages 1, 2, 3 ...
};

class PageFileNameTest : public testing::TestWithParam<NamingCase> {};

TEST_P(PageFileNameTest, PagesAreNumberedByFeederSidesAndMultipage) {
  const NamingCase& c = GetParam();
  for (size_t i = 0; i < c.pages.size(); ++i) {
    char out[kPageFileNameSize] = "stale";
    ASSERT_TRUE(BuildPageFileName(c.target, static_cast<int32_t>(i + 1), c.naming, out, sizeof out));
    EXPECT_EQ(std::string(out), c.pages[i]) << "page " << i + 1;
  }
}

constexpr PageFileNaming Naming(int32_t multiPage, int32_t feederType, bool feeder) {
  PageFileNaming n;
  n.multiPage = multiPage;
  n.feederType = feederType;
  n.feederInUse = feeder;
  return n;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PageFileNameTest,
    testing::Values(
        NamingCase{"duplex_file_per_page", "c:\\scan\\doc.tif", Naming(0, 1, true),
                   {"c:\\scan\\doc000001A.tif", "c:\\scan\\doc000001B.tif", "c:\\scan\\doc000002A.tif"}},
        NamingCase{"duplex_file_per_sheet", "c:\\scan\\doc.tif", Naming(2, 1, true),
                   {"c:\\scan\\doc000001.tif", "c:\\scan\\doc000001.tif", "c:\\scan\\doc000002.tif"}},
        NamingCase{"simplex_file_per_page", "c:\\scan\\doc.tif", Naming(0, 0, true),
                   {"c:\\scan\\doc000001.tif", "c:\\scan\\doc000002.tif"}},
        NamingCase{"flatbed_one_name", "c:\\scan\\doc.tif", Naming(0, 0, false),
                   {"c:\\scan\\doc.tif", "c:\\scan\\doc.tif"}},
        NamingCase{"one_multipage_file", "c:\\scan\\doc.tif", Naming(1, 1, true),
                   {"c:\\scan\\doc.tif", "c:\\scan\\doc.tif"}},
        NamingCase{"no_extension", "c:\\scan\\doc", Naming(0, 0, true), {"c:\\scan\\doc000001"}},
        // A '.' in a folder is not an extension: the number goes to the file's name.
        NamingCase{"dot_in_folder", "c:\\my.scans\\doc", Naming(0, 0, true), {"c:\\my.scans\\doc000001"}},
        NamingCase{"dot_at_end", "c:\\scan\\doc.", Naming(0, 0, true), {"c:\\scan\\doc000001."}}),
    [](const testing::TestParamInfo<NamingCase>& i) { return std::string(i.param.name); });

TEST(PageFileName, NamesThatNumberingMakesTooLongAreRefused) {
  const std::string base = "c:\\" + std::string(116, 'x');  // 119 characters
  char out[kPageFileNameSize];
  // 119 + 6 digits + ".ab" = 128 characters: one more than the buffer holds.
  EXPECT_TRUE(BuildPageFileName((base + ".a").c_str(), 1, Naming(0, 0, true), out, sizeof out));
  EXPECT_EQ(std::string(out).size(), 127u);
  EXPECT_FALSE(BuildPageFileName((base + ".ab").c_str(), 1, Naming(0, 0, true), out, sizeof out));
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(BuildPageFileName(base.c_str(), 1, Naming(0, 1, true), out, 126)) << "the A adds one";
  EXPECT_TRUE(BuildPageFileName((base + ".ab").c_str(), 1, Naming(1, 0, true), out, sizeof out));
}

TEST(FileNameExtension, TextAfterTheLastDotOfTheFileName) {
  EXPECT_STREQ(FileNameExtension("c:\\scan\\doc.TIF"), "TIF");
  EXPECT_STREQ(FileNameExtension("c:\\scan\\doc.tar.gz"), "gz");
  EXPECT_STREQ(FileNameExtension("c:\\scan\\doc"), "");
  EXPECT_STREQ(FileNameExtension("c:\\a.b\\doc"), "");
  EXPECT_STREQ(FileNameExtension("c:/a.b/doc.pdf"), "pdf");
  EXPECT_STREQ(FileNameExtension(""), "");
}

TEST(EngineFileName, TheNameTheEngineGaveTheFileItWrote) {
  struct Case {
    int32_t n;
    bool duplex, feeder;
    const char* want;
  } cases[] = {
      {1, true, true, "c:\\scan\\doc000001A.bmp"}, {2, true, true, "c:\\scan\\doc000001B.bmp"},
      {3, true, false, "c:\\scan\\doc000002A.bmp"}, {2, false, true, "c:\\scan\\doc000002.bmp"},
      {5, false, false, "c:\\scan\\doc.bmp"},
  };
  for (const Case& c : cases) {
    char out[kPageFileNameSize];
    ASSERT_TRUE(EngineFileName("c:\\scan\\doc.tif", 11, c.n, c.duplex, c.feeder, out, sizeof out));
    EXPECT_STREQ(out, c.want) << c.n;
  }
  char out[kPageFileNameSize];
  ASSERT_TRUE(EngineFileName("doc", 99, 1, false, true, out, sizeof out)) << "a base past the end is the whole";
  EXPECT_STREQ(out, "doc000001.bmp");
  EXPECT_FALSE(EngineFileName(std::string(120, 'x').c_str(), 120, 1, true, true, out, sizeof out));
}

}  // namespace
