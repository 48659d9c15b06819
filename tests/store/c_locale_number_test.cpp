// Stored and logged numbers keep '.' as their decimal point whatever the program's locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "c_locale_number.h"
#include "log_format.h"

namespace {

TEST(FormatFixedC, AsPrintfInTheCLocale) {
  struct Case {
    double v;
    int width, decimals;
    const char* text;
  };
  const Case cases[] = {
      {2.2, 2, 2, "2.20"},     {1.0, 5, 2, " 1.00"},   {-0.214, 5, 2, "-0.21"},
      {8.5, 5, 2, " 8.50"},    {21.048, 5, 2, "21.05"}, {2550.0, 5, 2, "2550.00"},
      {0.005, 1, 2, "0.01"},   {-0.004, 5, 2, " 0.00"}, {3.0, 0, 0, "3"},
      {1e30, 2, 2, "inf"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFixedC(c.v, c.width, c.decimals), c.text) << c.v;
}

TEST(ParseNumberC, ReadsPointAndCommaTexts) {
  struct Case {
    const char* text;
    double v;
  };
  const Case cases[] = {
      {"2.20", 2.2}, {" 8.50", 8.5}, {"-0.21", -0.21}, {"2,20", 2.2}, {"+3", 3.0},
      {"1e2", 100.0}, {"1.5E-1", 0.15}, {"", 0.0}, {"abc", 0.0}, {".5", 0.5}, {"7x", 7.0},
  };
  for (const Case& c : cases) EXPECT_NEAR(ParseNumberC(c.text), c.v, 1e-9) << c.text;
  EXPECT_EQ(ParseNumberC(nullptr), 0.0);
}

// Under a locale whose decimal point is a comma the texts do not change.
TEST(FormatFixedC, IgnoresTheProgramLocale) {
  const char* names[] = {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German"};
  const char* set = nullptr;
  for (const char* n : names)
    if ((set = std::setlocale(LC_ALL, n)) != nullptr) break;
  if (!set) GTEST_SKIP() << "no comma locale on this machine";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 0.5);
  EXPECT_STREQ(probe, "0,5");  // the locale really is in force
  EXPECT_EQ(FormatFixedC(2.2, 2, 2), "2.20");
  EXPECT_NEAR(ParseNumberC("2.20"), 2.2, 1e-9);
  const std::string line = FormatLogLine("In ", 2, "Gamma", LogValue::Float(2.5f), 0);
  EXPECT_NE(line.find("2.50"), std::string::npos) << line;
  std::setlocale(LC_ALL, "C");
}

}  // namespace
