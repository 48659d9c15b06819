// The batch folder of a new scan: the batch root, a backslash and the date and time of the scan
// as YYYYMMDD-hhmmss. A folder of that name made earlier in the same second is never reused.
#pragma once
#include <optional>
#include <string>

namespace tarnwick {

struct ScanClock {
  int Year, Month, Day, Hour, Minute, Second;
};

std::string BatchFolderName(const std::string& path, const ScanClock& t);

// The file system as the batch folder needs it; Windows and tests each supply one.
class FolderMaker {
 public:
  enum class Result { Made, Exists, Failed };
  virtual ~FolderMaker() = default;
  virtual Result MakeFolder(const std::string& name) = 0;
};

// Creates the folder (one level). When the name is taken, tries name_2, name_3 ... name_99.
// Answers the folder made, or nothing when none could be made.
std::optional<std::string> MakeBatchFolder(const std::string& name, FolderMaker& fs);

}  // namespace tarnwick
