#include "c_locale_number.h"

#include <cmath>
#include <cstdint>

std::string FormatFixedC(double value, int width, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 9) decimals = 9;
  std::string text;
  if (std::isnan(value)) {
    text = "nan";
  } else if (std::isinf(value) || std::fabs(value) >= 9e18 / std::pow(10.0, decimals)) {
    text = value < 0 ? "-inf" : "inf";
  } else {
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const bool negative = value < 0;
    const uint64_t scaled = static_cast<uint64_t>(std::llround(std::fabs(value) * static_cast<double>(scale)));
    std::string digits = std::to_string(scaled / scale);
    if (decimals > 0) {
      std::string frac = std::to_string(scaled % scale);
      digits += '.' + std::string(static_cast<size_t>(decimals) - frac.size(), '0') + frac;
    }
    text = (negative && scaled != 0 ? "-" : "") + digits;
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

double ParseNumberC(const char* text) {
  if (!text) return 0.0;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  double v = 0.0;
  bool any = false;
  for (; *p >= '0' && *p <= '9'; ++p, any = true) v = v * 10.0 + (*p - '0');
  if (*p == '.' || *p == ',') {
    double place = 0.1;
    for (++p; *p >= '0' && *p <= '9'; ++p, any = true, place /= 10.0) v += (*p - '0') * place;
  }
  if (!any) return 0.0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    bool expNegative = false;
    if (*q == '+' || *q == '-') expNegative = *q++ == '-';
    int exponent = 0;
    bool digits = false;
    for (; *q >= '0' && *q <= '9' && exponent < 400; ++q, digits = true) exponent = exponent * 10 + (*q - '0');
    if (digits) v *= std::pow(10.0, expNegative ? -exponent : exponent);
  }
  return negative ? -v : v;
}
