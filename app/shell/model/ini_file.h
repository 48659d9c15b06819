// The settings file as the program reads and writes it: strings by section and key, with the
// INI conventions for integers ("StrToIntDef") and flags ("1"/"0") on top. The program's
// implementation is the platform's profile functions; tests use a file held in memory.
#pragma once
#include <cstdint>
#include <string>

namespace tarnwick {

class IniFile {
 public:
  virtual ~IniFile() = default;
  // Texts are UTF-8.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// A decimal integer (optional sign, blanks around allowed), else the fallback.
int32_t ParseInteger(const std::string& text, int32_t fallback);
int32_t ReadInteger(IniFile& ini, const std::string& section, const std::string& key, int32_t fallback);
bool ReadBool(IniFile& ini, const std::string& section, const std::string& key, bool fallback);
void WriteInteger(IniFile& ini, const std::string& section, const std::string& key, int32_t value);
void WriteBool(IniFile& ini, const std::string& section, const std::string& key, bool value);

}  // namespace tarnwick
