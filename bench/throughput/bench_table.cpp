#include "bench_table.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  for (double v : values)
    if (v < 0) return -1;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string FormatTable(const std::vector<TableRow>& rows) {
  std::string out = "| path | driver | pages/min | ms/page | floor ms/page | ratio to floor |\n"
                    "|---|---|---:|---:|---:|---:|\n";
  char line[256];
  for (const TableRow& r : rows) {
    if (r.msPerPage <= 0) {
      std::snprintf(line, sizeof line, "| %s | %s | %s: %s | | | |\n", r.path.c_str(), r.driver.c_str(),
                    r.notOffered ? "not offered" : "failed", r.why.c_str());
    } else if (r.floorMsPerPage <= 0) {
      std::snprintf(line, sizeof line, "| %s | %s | %.0f | %.1f | | |\n", r.path.c_str(), r.driver.c_str(),
                    60000.0 / r.msPerPage, r.msPerPage);
    } else {
      std::snprintf(line, sizeof line, "| %s | %s | %.0f | %.1f | %.1f | %.2f |\n", r.path.c_str(),
                    r.driver.c_str(), 60000.0 / r.msPerPage, r.msPerPage, r.floorMsPerPage,
                    r.msPerPage / r.floorMsPerPage);
    }
    out += line;
  }
  return out;
}
