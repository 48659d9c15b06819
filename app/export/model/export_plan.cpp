#include "export_plan.h"

#include <algorithm>

namespace tarnwick {

std::string ExportDocumentName(const std::string& chosen, const std::string& extension) {
  return chosen + extension;
}

ExportPlan PlanBatchExport(const std::string& folder, const std::vector<BatchFile>& files,
                           const std::string& target) {
  std::vector<BatchFile> sorted(files);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const BatchFile& a, const BatchFile& b) { return NameLess(a.name, b.name); });
  ExportPlan plan;
  for (const BatchFile& f : sorted)
    if (ClassifyBatchEntry(f.name, f.type, false) == BatchEntry::Unreadable) plan.pages.push_back(JoinPath(folder, f.name));
  plan.target = target;
  plan.temporary = TemporaryExportName(target);
  return plan;
}

std::string TemporaryExportName(const std::string& target) { return target + ".~export"; }

std::vector<ImportCopy> PlanImport(const std::string& folder, int filesInFolder,
                                   const std::vector<std::string>& chosen) {
  std::vector<ImportCopy> copies;
  for (size_t i = 0; i < chosen.size(); ++i) {
    int number = static_cast<int>(i) + filesInFolder + 1;
    copies.push_back({chosen[i], JoinPath(folder, PageFileName(number, ExtensionOf(chosen[i])))});
  }
  return copies;
}

}  // namespace tarnwick
