// The figures the benchmark prints: medians of the runs, as pages per minute, milliseconds per
// page and the ratio to the path's floor.
#pragma once
#include <string>
#include <vector>

// The median of the values; a negative value (a failed run) makes the whole median negative.
double Median(std::vector<double> values);

struct TableRow {
  std::string path, driver;
  double msPerPage = -1;       // negative: the path failed, or is not offered
  bool notOffered = false;    // the driver kind refused the path's settings
  double floorMsPerPage = -1;
  std::string why;             // why the path failed
};

std::string FormatTable(const std::vector<TableRow>& rows);
