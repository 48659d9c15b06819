// An INI file held in memory, with keys and sections compared without regard to case as the
// platform's profile functions compare them.
#pragma once
#include <map>
#include <string>

#include "ini_file.h"

namespace tarnwick {

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

class MemoryIni : public IniFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool Has(const std::string& section, const std::string& key) const;
  size_t KeyCount(const std::string& section) const;

  std::map<std::string, std::map<std::string, std::string, NoCaseLess>, NoCaseLess> sections;
};

}  // namespace tarnwick
