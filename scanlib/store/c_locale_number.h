// Numbers as stored and logged texts, always with '.' as the decimal point: the C runtime's
// printf and strtod follow whatever locale the host program chose. Platform-free.
#pragma once
#include <string>

// As printf's "%W.Df": at least `width` characters, right-aligned, `decimals` places, rounded
// half away from zero.
std::string FormatFixedC(double value, int width, int decimals);

// The number at the start of `text` (after blanks): sign, digits, a '.' or ',' decimal point
// (values written under a comma locale stay readable), an optional exponent. 0 when none.
double ParseNumberC(const char* text);
