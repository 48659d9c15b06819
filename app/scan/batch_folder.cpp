#include "batch_folder.h"

#include <cstdio>

namespace tarnwick {

std::string BatchFolderName(const std::string& path, const ScanClock& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.Year % 10000, t.Month % 100,
                t.Day % 100, t.Hour % 100, t.Minute % 100, t.Second % 100);
  return path + "\\" + stamp;
}

std::optional<std::string> MakeBatchFolder(const std::string& name, FolderMaker& fs) {
  for (int n = 1; n < 100; ++n) {
    std::string candidate = n == 1 ? name : name + "_" + std::to_string(n);
    switch (fs.MakeFolder(candidate)) {
      case FolderMaker::Result::Made: return candidate;
      case FolderMaker::Result::Exists: continue;
      case FolderMaker::Result::Failed: return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tarnwick
