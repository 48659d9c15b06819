#include "memory_ini.h"

#include <algorithm>
#include <cctype>

namespace tarnwick {

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

std::string MemoryIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& fallback) {
  auto s = sections.find(section);
  if (s == sections.end()) return fallback;
  auto k = s->second.find(key);
  return k == s->second.end() ? fallback : k->second;
}

void MemoryIni::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  sections[section][key] = value;
}

bool MemoryIni::Has(const std::string& section, const std::string& key) const {
  auto s = sections.find(section);
  return s != sections.end() && s->second.count(key) > 0;
}

size_t MemoryIni::KeyCount(const std::string& section) const {
  auto s = sections.find(section);
  return s == sections.end() ? 0 : s->second.size();
}

}  // namespace tarnwick
