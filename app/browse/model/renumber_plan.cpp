#include "renumber_plan.h"

#include <set>

#include "batch_names.h"

namespace tarnwick {

namespace {

struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return NameLess(a, b); }
};

// A name that no entry of the folder holds and no step goes to.
std::string FreeTemporaryName(size_t i, const std::set<std::string, NoCase>& taken) {
  for (int n = 0;; ++n) {
    std::string name = "~renumber" + std::to_string(i) + (n ? "_" + std::to_string(n) : "") + ".tmp";
    if (!taken.count(name)) return name;
  }
}

}  // namespace

std::vector<RenameStep> PlanRenumber(const std::vector<std::string>& entries) {
  std::vector<std::string> names = SortedNames(entries);
  std::vector<RenameStep> moves;
  std::set<std::string, NoCase> waiting;  // names of files that have not moved yet
  for (const std::string& name : names) waiting.insert(name);
  bool clash = false;
  for (size_t i = 0; i < names.size(); ++i) {
    std::string target = PageFileName(static_cast<int>(i + 1), ExtensionOf(names[i]));
    waiting.erase(names[i]);
    if (target == names[i]) continue;
    if (waiting.count(target)) clash = true;
    moves.push_back({names[i], target});
  }
  if (!clash) return moves;

  std::set<std::string, NoCase> taken(names.begin(), names.end());
  for (const RenameStep& m : moves) taken.insert(m.to);
  std::vector<RenameStep> steps;
  std::vector<std::string> temporary;
  for (size_t i = 0; i < moves.size(); ++i) {
    temporary.push_back(FreeTemporaryName(i, taken));
    taken.insert(temporary.back());
    steps.push_back({moves[i].from, temporary.back()});
  }
  for (size_t i = 0; i < moves.size(); ++i) steps.push_back({temporary[i], moves[i].to});
  return steps;
}

bool RunRenamePlan(const std::vector<RenameStep>& steps, BatchFileOps& ops) {
  for (size_t done = 0; done < steps.size(); ++done) {
    if (ops.Rename(steps[done].from, steps[done].to)) continue;
    while (done > 0) {
      --done;
      if (!ops.Rename(steps[done].to, steps[done].from)) break;
    }
    return false;
  }
  return true;
}

}  // namespace tarnwick
