// What the batch exports and the import do with the files of a batch folder, free of any
// window: which files go into the document and in which order, where the document is made
// before it replaces the chosen file, and which names imported files get.
#pragma once
#include <string>
#include <vector>

#include "batch_names.h"

namespace tarnwick {

struct BatchFile {
  std::string name;  // inside the folder
  std::string type;  // as the file-information routine reports it; empty when it could not
};

struct ExportPlan {
  std::vector<std::string> pages;  // full names, in name order
  std::string target;              // the document chosen
  std::string temporary;           // made first, moved over the target when complete
};

// The chosen name with the document's extension put after it, as the commands always did:
// "scan" -> "scan.tif", "scan.tif" -> "scan.tif.tif".
std::string ExportDocumentName(const std::string& chosen, const std::string& extension);
// Every page of the folder in name order: each image file, and each file named as a page whose
// type could not be told (the export reports it as missing); other files are left out.
ExportPlan PlanBatchExport(const std::string& folder, const std::vector<BatchFile>& files,
                           const std::string& target);
// The name the document is written under beside the target until it is complete.
std::string TemporaryExportName(const std::string& target);

struct ImportCopy {
  std::string source;
  std::string target;  // full name in the batch folder
};
// The chosen files numbered on after the folder's files as they are now: file i becomes
// (i + count + 1) padded to six digits + its own extension.
std::vector<ImportCopy> PlanImport(const std::string& folder, int filesInFolder,
                                   const std::vector<std::string>& chosen);

}  // namespace tarnwick
