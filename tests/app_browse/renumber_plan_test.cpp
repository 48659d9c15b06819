// The renumbering after a delete, carried out on a folder held in memory.
#include "renumber_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "batch_names.h"

namespace tarnwick {
namespace {

// A folder of named contents; renames refuse to land on a name that is there, as the file
// system does, and can be made to refuse one source name.
class MemoryFolder : public BatchFileOps {
 public:
  explicit MemoryFolder(const std::vector<std::string>& names) {
    for (const std::string& n : names) files[n] = n;  // content: the original name
  }
  bool Rename(const std::string& from, const std::string& to) override {
    ++renames;
    if (refuse.count(from) || !files.count(from) || files.count(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Delete(const std::string& name) override { return files.erase(name) == 1; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& f : files) names.push_back(f.first);
    return names;
  }
  std::map<std::string, std::string> files;  // name -> content
  std::set<std::string> refuse;
  int renames = 0;
};

TEST(RenumberPlan, ClosesTheGapAndKeepsEachFilesExtensionAndContent) {
  struct Case {
    const char* what;
    std::vector<std::string> before;  // after the delete
    std::map<std::string, std::string> after;
    size_t steps;
  } cases[] = {
      {"page 2 of 3 deleted", {"000001.tif", "000003.tif"},
       {{"000001.tif", "000001.tif"}, {"000002.tif", "000003.tif"}}, 1},
      {"first page deleted", {"000002.tif", "000003.jpg", "000004.tif"},
       {{"000001.tif", "000002.tif"}, {"000002.jpg", "000003.jpg"}, {"000003.tif", "000004.tif"}}, 3},
      {"last page deleted: nothing moves", {"000001.tif", "000002.tif"},
       {{"000001.tif", "000001.tif"}, {"000002.tif", "000002.tif"}}, 0},
      {"other files are renumbered too", {"000001.tif", "000003.tif", "notes.txt", "readme"},
       {{"000001.tif", "000001.tif"}, {"000002.tif", "000003.tif"}, {"000003.txt", "notes.txt"},
        {"000004", "readme"}}, 3},
      {"list order is the file list's, without case", {"B.tif", "a.tif"},
       {{"000001.tif", "a.tif"}, {"000002.tif", "B.tif"}}, 2},
      {"empty folder", {}, {}, 0},
  };
  for (const Case& c : cases) {
    MemoryFolder folder(c.before);
    std::vector<RenameStep> steps = PlanRenumber(c.before);
    EXPECT_EQ(steps.size(), c.steps) << c.what;
    EXPECT_TRUE(RunRenamePlan(steps, folder)) << c.what;
    EXPECT_EQ(folder.files, c.after) << c.what;
  }
}

TEST(RenumberPlan, ANewNameStillHeldByAFileThatMovesLaterGoesThroughTemporaryNames) {
  // "0.tif" sorts before "000001.tif" and would be renamed onto it.
  std::vector<std::string> before = {"000001.tif", "0.tif", "000002.png"};
  std::vector<RenameStep> steps = PlanRenumber(before);
  MemoryFolder folder(before);
  ASSERT_TRUE(RunRenamePlan(steps, folder));
  std::map<std::string, std::string> want = {
      {"000001.tif", "0.tif"}, {"000002.tif", "000001.tif"}, {"000003.png", "000002.png"}};
  // The folder refuses a rename onto a name that is there: every step found its name free.
  EXPECT_EQ(folder.files, want);
}

TEST(RenumberPlan, ARefusedRenameUndoesTheStepsDoneAndAnswersFalse) {
  std::vector<std::string> before = {"000001.tif", "000003.tif", "000004.tif", "000005.tif"};
  for (const char* refused : {"000003.tif", "000004.tif", "000005.tif"}) {
    MemoryFolder folder(before);
    folder.refuse.insert(refused);
    EXPECT_FALSE(RunRenamePlan(PlanRenumber(before), folder)) << refused;
    EXPECT_EQ(folder.Names(), before) << refused;
  }
  // Also half way through the temporary names.
  std::vector<std::string> clash = {"000001.tif", "0.tif", "000002.png"};
  MemoryFolder folder(clash);
  folder.refuse.insert("000002.png");
  EXPECT_FALSE(RunRenamePlan(PlanRenumber(clash), folder));
  EXPECT_EQ(folder.Names(), std::vector<std::string>({"0.tif", "000001.tif", "000002.png"}));
}

}  // namespace
}  // namespace tarnwick
