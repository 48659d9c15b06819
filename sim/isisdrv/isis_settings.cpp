#include "isis_settings.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace {

std::string Read(const std::string& file, const char* section, const char* key) {
  char text[1024] = {};
  GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
  return text;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    const size_t a = item.find_first_not_of(" \t");
    const size_t b = item.find_last_not_of(" \t");
    if (a != std::string::npos) out.push_back(item.substr(a, b - a + 1));
  }
  return out;
}

std::vector<int32_t> Numbers(const std::string& text) {
  std::vector<int32_t> out;
  for (const std::string& s : Split(text)) out.push_back(std::atoi(s.c_str()));
  return out;
}

void Number(const std::string& file, const char* key, int32_t* out) {
  const std::string v = Read(file, "Isis", key);
  if (!v.empty()) *out = std::atoi(v.c_str());
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(folder, sizeof folder);
  if (n == 0 || n >= sizeof folder) return name;
  return std::string(folder) + "\\" + name;
}

}  // namespace

IsisSettings LoadIsisSettings(const std::string& configPath) {
  IsisSettings s;
  if (!configPath.empty()) {
    s.resolutions = Numbers(Read(configPath, "Isis", "Resolutions"));
    Number(configPath, "ResolutionMin", &s.resolutionMin);
    Number(configPath, "ResolutionMax", &s.resolutionMax);
    Number(configPath, "ResolutionStep", &s.resolutionStep);
    Number(configPath, "AreaStep", &s.areaStep);
    s.highlight = Numbers(Read(configPath, "Isis", "Highlight"));
    const std::vector<std::string> names = Split(Read(configPath, "Isis", "PageSizes"));
    if (!names.empty()) {
      s.pageSizes.clear();
      for (const std::string& name : names) {
        zebsim::Paper p;
        if (zebsim::PaperByName(name, &p)) s.pageSizes.push_back(p);
      }
    }
    s.record = Read(configPath, "Isis", "Record");
  }
  // An ISIS driver finds its scanner through setscan.ini: the driver, then the model under the
  // driver's own section.
  const std::string setup = WindowsFile("setscan.ini");
  s.setupDriver = Read(setup, "Scanner", "Driver");
  if (!s.setupDriver.empty()) s.setupModel = Read(setup, s.setupDriver.c_str(), "Model");
  return s;
}
