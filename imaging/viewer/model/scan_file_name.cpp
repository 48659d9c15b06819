#include "scan_file_name.h"

#include <cctype>
#include <cstdio>

namespace qm {

std::string ComposeScanFileName(const std::string& pattern, TScanSaveOpt option, int16_t number) {
  std::string value = pattern.empty() ? "C:\\SCAN.TIF" : pattern;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%4.4d", int(number));

  size_t slash = value.find_last_of("\\:");
  std::string folder = slash == std::string::npos ? std::string() : value.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);

  if (option == TScanSaveOpt::sSinglePage) name += "0000000";
  name = name.substr(0, 4);
  size_t firstDot = name.find('.');
  if (firstDot != std::string::npos) name.erase(firstDot, 1);
  if (extension.empty()) extension = ".TIF";
  if (folder.empty()) folder = "C:\\";

  std::string result = option == TScanSaveOpt::sSinglePage ? folder + name + digits + extension
                                                           : folder + name + extension;
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace qm
