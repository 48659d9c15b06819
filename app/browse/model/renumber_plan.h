// Renumbering the files of a batch folder after a delete: entry i of the folder (name order)
// becomes (i + 1) padded to six digits + its own extension. A file already at its number stays.
// When a new name is still held by a file that has not moved yet, every moving file goes
// through a temporary name first, so no rename ever lands on a file that is there.
#pragma once
#include <string>
#include <vector>

namespace tarnwick {

struct RenameStep {
  std::string from;  // names inside the folder
  std::string to;
};

// entries: the folder's file names (any order; sorted here as the file list sorts them).
std::vector<RenameStep> PlanRenumber(const std::vector<std::string>& entries);

// What the plan is carried out with: answers false when the rename was refused.
class BatchFileOps {
 public:
  virtual ~BatchFileOps() = default;
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& name) = 0;
};

// Runs the steps in order. At the first refused rename the steps done are undone, newest
// first, as far as they go back, and false is answered.
bool RunRenamePlan(const std::vector<RenameStep>& steps, BatchFileOps& ops);

}  // namespace tarnwick
