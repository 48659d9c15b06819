#include "document_name.h"

namespace tarnwick {

std::string DocumentNameWithExtension(const std::string& chosen, const std::string& ext) {
  const size_t dot = chosen.find_last_of(".\\/:");
  if (dot != std::string::npos && chosen[dot] == '.' && chosen.compare(dot, std::string::npos, ext) == 0)
    return chosen;
  return chosen + ext;
}

std::string DocumentTempName(const std::string& target) { return target + ".part"; }

}  // namespace tarnwick
