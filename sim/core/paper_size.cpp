#include <cctype>

#include "sim_scanner.h"

namespace zebsim {

const PaperSize kPaperSizes[3] = {
    {Paper::Letter, "Letter", 8.5, 11.0},
    {Paper::A4, "A4", 210.0 / 25.4, 297.0 / 25.4},
    {Paper::Legal, "Legal", 8.5, 14.0},
};

const PaperSize& PaperSizeOf(Paper paper) {
  for (const PaperSize& p : kPaperSizes)
    if (p.paper == paper) return p;
  return kPaperSizes[0];
}

bool PaperByName(const std::string& name, Paper* out) {
  for (const PaperSize& p : kPaperSizes) {
    std::string a = p.name;
    if (a.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) !=
          std::tolower(static_cast<unsigned char>(name[i])))
        same = false;
    if (same) {
      *out = p.paper;
      return true;
    }
  }
  return false;
}

}  // namespace zebsim
