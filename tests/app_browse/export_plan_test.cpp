// The batch exports' page order and document names, and the import's numbering.
#include "export_plan.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ExportPlan, EveryImageFileInNameOrderAndNothingElse) {
  std::vector<BatchFile> files = {{"000003.tif", "TIFF"}, {"000001.tif", "TIFF"},
                                  {"notes.txt", ""},      {"000002.JPG", "JPEG"},
                                  {"000004.dat", "DAT"}};
  ExportPlan plan = PlanBatchExport("c:\\b", files, "d:\\out\\scan.tif");
  EXPECT_EQ(plan.pages, std::vector<std::string>({"c:\\b\\000001.tif", "c:\\b\\000002.JPG",
                                                  "c:\\b\\000003.tif"}));
  EXPECT_EQ(plan.target, "d:\\out\\scan.tif");
  EXPECT_NE(plan.temporary, plan.target);
  EXPECT_EQ(plan.temporary.rfind("d:\\out\\scan.tif", 0), 0u);  // beside the target
  // A page file whose type cannot be told stays in the plan, for the export to report.
  files.push_back({"000005.tif", ""});
  EXPECT_EQ(PlanBatchExport("c:\\b", files, "d:\\out\\scan.tif").pages.back(), "c:\\b\\000005.tif");
}

TEST(ExportPlan, TheDocumentExtensionIsAlwaysAdded) {
  EXPECT_EQ(ExportDocumentName("c:\\scan", ".tif"), "c:\\scan.tif");
  EXPECT_EQ(ExportDocumentName("c:\\scan.tif", ".tif"), "c:\\scan.tif.tif");
  EXPECT_EQ(ExportDocumentName("c:\\scan", ".pdf"), "c:\\scan.pdf");
}

TEST(ImportPlan, NumbersOnFromTheFolderWithEachFilesOwnExtension) {
  std::vector<ImportCopy> copies = PlanImport("c:\\b", 5, {"d:\\x\\a.jpg", "d:\\y.z\\b", "e:\\c.TIF"});
  ASSERT_EQ(copies.size(), 3u);
  EXPECT_EQ(copies[0].source, "d:\\x\\a.jpg");
  EXPECT_EQ(copies[0].target, "c:\\b\\000006.jpg");
  EXPECT_EQ(copies[1].target, "c:\\b\\000007");
  EXPECT_EQ(copies[2].target, "c:\\b\\000008.TIF");
  EXPECT_EQ(PlanImport("c:\\b", 0, {"a.png"})[0].target, "c:\\b\\000001.png");
}

}  // namespace
}  // namespace tarnwick
