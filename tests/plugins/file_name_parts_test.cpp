// The parts of file names that choose a plug-in.
#include <gtest/gtest.h>

#include <string>

#include "file_name_parts.h"

namespace {

TEST(FileNameParts, ExtensionIsTheTextAfterTheLastDotOfTheLastComponent) {
  const struct {
    const char* name;
    const char* extension;
  } rows[] = {
      {"page.TIF", "TIF"},          {"c:\\scan\\doc.tar.pdf", "pdf"}, {"page", ""},
      {"page.", ""},                {"c:\\scans.old\\page", ""},      {"c:/a.b/page.jpg", "jpg"},
      {"c:page.bmp", "bmp"},        {"", ""},                         {nullptr, ""},
      {".djvu", "djvu"},
  };
  for (const auto& r : rows) EXPECT_EQ(FileExtension(r.name), r.extension) << (r.name ? r.name : "null");
}

TEST(FileNameParts, ComparisonsIgnoreCase) {
  EXPECT_TRUE(SameTextIgnoringCase("TIF", "tif"));
  EXPECT_FALSE(SameTextIgnoringCase("tif", "tiff"));
  EXPECT_TRUE(StartsWithIgnoringCase("PDFa", "pdf"));
  EXPECT_FALSE(StartsWithIgnoringCase("pd", "pdf"));
  EXPECT_TRUE(StartsWithIgnoringCase("DjVu", "dj"));
}

TEST(FileNameParts, ConversionChoosesBySourceTargetOrFormat) {
  const struct {
    const char* target;
    const char* source;
    ConversionChoice choice;
  } rows[] = {
      {"out.tif", "in.pdf", ConversionChoice::kSourceExtension},
      {"out.tif", "in.PDFX", ConversionChoice::kSourceExtension},
      {"out.pdf", "in.djvu", ConversionChoice::kSourceExtension},
      {"out", "in.DJV", ConversionChoice::kSourceExtension},
      {"out.pdf", "in.tif", ConversionChoice::kTargetExtension},
      {"out.jpg", "in", ConversionChoice::kTargetExtension},
      // Only the source names an extension, and not one that decides: the format decides.
      {"out", "in.tif", ConversionChoice::kFileFormat},
      {"out", "in", ConversionChoice::kFileFormat},
  };
  for (const auto& r : rows)
    EXPECT_EQ(ChooseConversionBy(r.target, r.source), r.choice) << r.target << " " << r.source;
}

}  // namespace
