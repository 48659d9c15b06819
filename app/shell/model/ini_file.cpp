#include "ini_file.h"

#include <cctype>
#include <climits>

namespace tarnwick {

int32_t ParseInteger(const std::string& text, int32_t fallback) {
  size_t i = 0, end = text.size();
  while (i < end && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == end) return fallback;
  int64_t value = 0;
  for (; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return fallback;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t(INT32_MAX) + 1) return fallback;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return fallback;
  return static_cast<int32_t>(value);
}

int32_t ReadInteger(IniFile& ini, const std::string& section, const std::string& key,
                    int32_t fallback) {
  return ParseInteger(ini.ReadString(section, key, ""), fallback);
}

bool ReadBool(IniFile& ini, const std::string& section, const std::string& key, bool fallback) {
  return ReadInteger(ini, section, key, fallback ? 1 : 0) != 0;
}

void WriteInteger(IniFile& ini, const std::string& section, const std::string& key, int32_t value) {
  ini.WriteString(section, key, std::to_string(value));
}

void WriteBool(IniFile& ini, const std::string& section, const std::string& key, bool value) {
  ini.WriteString(section, key, value ? "1" : "0");
}

}  // namespace tarnwick
