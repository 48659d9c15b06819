// A page that could not be written where it belongs. The receiver that raises it has already
// taken back whatever part of the page reached the disk, so every page written before stays
// readable; the page callback then counts the page as not saved and stops the scan.
#pragma once
#include <stdexcept>
#include <string>

namespace tarnwick {

class PageWriteError : public std::runtime_error {
 public:
  PageWriteError(const std::string& file, bool diskFull, const std::string& detail)
      : std::runtime_error(detail), file_(file), diskFull_(diskFull) {}
  const std::string& File() const { return file_; }
  bool DiskFull() const { return diskFull_; }

 private:
  std::string file_;
  bool diskFull_;
};

}  // namespace tarnwick
