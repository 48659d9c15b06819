// The simulated scanner's settings file: a small INI reader, so tests and the simulated drivers
// configure the scanner the same way on every platform.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "sim_scanner.h"

namespace zebsim {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

using Sections = std::map<std::string, std::map<std::string, std::string>>;

Sections ParseIni(const std::string& text) {
  Sections out;
  std::string section;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Lower(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    out[section][Lower(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
  }
  return out;
}

bool ToInt(const std::string& text, int lo, int hi, int* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

}  // namespace

std::vector<SimSource> SimConfig::DefaultSources() {
  return {{"Quandrix - ZS-3000 Duplex      1.04", "Quandrix"},
          {"Quandrix - ZS-1200 Flatbed     2.10", "Quandrix"}};
}

bool ParseSimConfig(const std::string& text, SimConfig* out, std::string* error) {
  Sections ini = ParseIni(text);
  SimConfig c = *out;
  auto fail = [&](const std::string& what) {
    if (error) *error = what;
    return false;
  };
  auto get = [&](const char* section, const char* key, std::string* value) {
    auto s = ini.find(section);
    if (s == ini.end()) return false;
    auto k = s->second.find(key);
    if (k == s->second.end()) return false;
    *value = k->second;
    return true;
  };
  std::string v;
  int n = 0;
  if (get("feeder", "sheets", &v)) {
    if (!ToInt(v, 0, 100000, &n)) return fail("Feeder.Sheets is not a count: " + v);
    c.sheets = n;
  }
  if (get("feeder", "duplex", &v)) {
    if (!ToInt(v, 0, 1, &n)) return fail("Feeder.Duplex is not 0 or 1: " + v);
    c.duplex = n != 0;
  }
  if (get("feeder", "flatbed", &v)) {
    if (!ToInt(v, 0, 1, &n)) return fail("Feeder.Flatbed is not 0 or 1: " + v);
    c.flatbed = n != 0;
  }
  if (get("feeder", "empty", &v)) {
    if (!ToInt(v, 0, 1, &n)) return fail("Feeder.Empty is not 0 or 1: " + v);
    c.empty = n != 0;
  }
  if (get("feeder", "paper", &v)) {
    if (!PaperByName(v, &c.paper)) return fail("Feeder.Paper is unknown: " + v);
  }
  if (get("feeder", "blank", &v)) {
    c.blankPages.clear();
    size_t at = 0;
    while (at <= v.size()) {
      const size_t comma = std::min(v.find(',', at), v.size());
      const std::string item = v.substr(at, comma - at);
      if (!ToInt(item, 1, 1000000, &n)) return fail("Feeder.Blank is not a list of page numbers: " + v);
      c.blankPages.push_back(n);
      at = comma + 1;
    }
  }
  if (get("feeder", "times", &v)) c.sheetTimes = v;
  if (get("fault", "kind", &v)) {
    if (!FaultByName(v, &c.fault)) return fail("Fault.Kind is unknown: " + v);
  }
  if (get("fault", "page", &v)) {
    if (!ToInt(v, 0, 1000000, &n)) return fail("Fault.Page is not a page number: " + v);
    c.faultPage = n;
  }
  if (get("driver", "loadresult", &v)) {
    if (!ToInt(v, -100000, 100000, &n)) return fail("Driver.LoadResult is not a code: " + v);
    c.loadResult = n;
  }
  if (get("driver", "productname", &v)) {
    if (v.empty() || v.size() > 33) return fail("Driver.ProductName is not 1 to 33 characters: " + v);
    c.productName = v;
  }
  if (get("plate", "skew", &v)) {
    char* end = nullptr;
    const double degrees = std::strtod(v.c_str(), &end);
    if (end == v.c_str() || *end != '\0' || !(std::fabs(degrees) <= 20))
      return fail("Plate.Skew is not an angle of at most 20 degrees: " + v);
    c.plate.on = true;
    c.plate.skewDegrees = degrees;
  }
  if (get("plate", "margin", &v)) {
    char* end = nullptr;
    const double margin = std::strtod(v.c_str(), &end);
    if (end == v.c_str() || *end != '\0' || !(margin >= 0 && margin <= 3))
      return fail("Plate.Margin is not a margin of 0 to 3 inches: " + v);
    c.plate.margin = margin;
  }
  if (get("report", "feeds", &v)) c.feedReport = v;
  if (get("sources", "count", &v)) {
    if (!ToInt(v, 0, 64, &n)) return fail("Sources.Count is not a count: " + v);
    c.sources.clear();
    for (int i = 1; i <= n; ++i) {
      SimSource s;
      std::string key = "name" + std::to_string(i);
      if (!get("sources", key.c_str(), &s.listName)) return fail("Sources." + key + " is missing");
      key = "manufacturer" + std::to_string(i);
      if (!get("sources", key.c_str(), &s.manufacturer)) s.manufacturer = "Quandrix";
      c.sources.push_back(s);
    }
  }
  *out = c;
  return true;
}

bool LoadSimConfig(const std::string& path, SimConfig* out, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseSimConfig(text.str(), out, error);
}

}  // namespace zebsim
