// Which ".ant" file a viewer keeps its annotations in.
#include <gtest/gtest.h>

#include "annotation_file_name.h"

using qm::AnnotationFileNameFor;

TEST(AnnotationFileName, FollowsTheImageUnlessOneIsSet) {
  struct Case {
    const char* set;
    const char* image;
    const char* expected;
  } cases[] = {
      {"", "C:\\SCANS\\PAGE.TIF", "C:\\SCANS\\PAGE.ant"},
      {"", "", "default.ant"},
      {"D:\\notes.ant", "C:\\SCANS\\PAGE.TIF", "D:\\notes.ant"},
      {"D:\\notes.ant", "", "D:\\notes.ant"},
      // The extension starts at the first dot of the name itself.
      {"", "C:\\SCANS\\PAGE.2026.TIF", "C:\\SCANS\\PAGE.ant"},
      // A dotted folder does not cut the path to a file of another folder.
      {"", "C:\\BATCH.V2\\000001.tif", "C:\\BATCH.V2\\000001.ant"},
      {"", "C:\\BATCH.V2\\PAGE", "C:\\BATCH.V2\\PAGE.ant"},
      {"", "/tmp/a.b/page.tif", "/tmp/a.b/page.ant"},
      {"", "PAGE", "PAGE.ant"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnnotationFileNameFor(c.set, c.image), c.expected) << c.image;
}
