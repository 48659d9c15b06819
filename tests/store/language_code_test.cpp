#include "language_code.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(LanguageCode, MapsSettingsToSections) {
  struct Case { int32_t language; const char* section; } cases[] = {
      {0, "0C0A"},      // the system default stands in
      {1, "0409"}, {2, "0404"}, {3, "0804"},
      {1031, "0407"},   // a language identifier of its own
      {0x12345, "2345"} // masked to 16 bits, never past five bytes
  };
  for (const auto& c : cases) {
    char out[8];
    std::memset(out, 'x', sizeof out);
    FormatLanguageSection(LanguageIdFor(c.language, 0x0C0A), out);
    EXPECT_STREQ(out, c.section) << c.language;
    EXPECT_EQ(out[5], 'x') << "wrote past the five bytes for " << c.language;
  }
}

TEST(LanguageCode, NegativeSettingStaysInFiveBytes) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  FormatLanguageSection(LanguageIdFor(-1, 0x0409), out);
  EXPECT_STREQ(out, "FFFF");
  EXPECT_EQ(out[5], 'x');
}

}  // namespace
