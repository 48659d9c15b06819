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

void Number(const std::string& file, const char* section, const char* key, int32_t* out) {
  const std::string v = Read(file, section, key);
  if (!v.empty()) *out = std::atoi(v.c_str());
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(folder, sizeof folder);
  if (n == 0 || n >= sizeof folder) return name;
  return std::string(folder) + "\\" + name;
}

void ReadModelKeys(const std::string& file, const char* section, IsisSettings* s) {
  const std::vector<int32_t> resolutions = Numbers(Read(file, section, "Resolutions"));
  if (!resolutions.empty()) s->resolutions = resolutions;
  Number(file, section, "ResolutionMin", &s->resolutionMin);
  Number(file, section, "ResolutionMax", &s->resolutionMax);
  Number(file, section, "ResolutionStep", &s->resolutionStep);
  Number(file, section, "AreaStep", &s->areaStep);
  const std::vector<int32_t> highlight = Numbers(Read(file, section, "Highlight"));
  if (!highlight.empty()) s->highlight = highlight;
  int32_t duplex = s->duplex ? 1 : 0;
  Number(file, section, "Duplex", &duplex);
  s->duplex = duplex != 0;
  const std::vector<std::string> names = Split(Read(file, section, "PageSizes"));
  if (!names.empty()) {
    s->pageSizes.clear();
    for (const std::string& name : names) {
      zebsim::Paper p;
      if (zebsim::PaperByName(name, &p)) s->pageSizes.push_back(p);
    }
  }
  const std::string record = Read(file, section, "Record");
  if (!record.empty()) s->record = record;
}

}  // namespace

IsisSettings LoadIsisSettings(const std::string& configPath, int model) {
  IsisSettings s;
  if (model == 1) {
    s.resolutionMin = 100;
    s.resolutionMax = 300;
    s.resolutionStep = 50;
    // Letter last: the page size the tag records leave selected bounds the area.
    s.pageSizes = {zebsim::Paper::A4, zebsim::Paper::Letter};
    s.duplex = false;
  }
  if (configPath.empty()) return s;
  if (model == 1) {
    // What the test set-up says of the whole bridge holds for the second model too.
    IsisSettings first = LoadIsisSettings(configPath, 0);
    s.areaStep = first.areaStep;
    s.highlight = first.highlight;
    s.record = first.record;
    ReadModelKeys(configPath, "Isis2", &s);
  } else {
    ReadModelKeys(configPath, "Isis", &s);
  }
  return s;
}

IsisSetup ReadIsisSetup() {
  const std::string setup = WindowsFile("setscan.ini");
  IsisSetup s;
  s.driver = Read(setup, "Scanner", "Driver");
  if (!s.driver.empty()) s.model = Read(setup, s.driver.c_str(), "Model");
  return s;
}

int ModelNamedBy(const IsisSetup& setup) {
  for (int i = 0; i < kIsisModelCount; ++i)
    if (lstrcmpiA(setup.driver.c_str(), kIsisModels[i].driver) == 0 &&
        lstrcmpiA(setup.model.c_str(), kIsisModels[i].name) == 0)
      return i;
  return -1;
}
