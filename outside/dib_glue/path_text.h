// Path texts as the W calls take them. The program hands its libraries UTF-8 names; the scan
// library hands its file-format plug-ins names in the system's ANSI code page.
#pragma once
#include <string>

namespace dibglue {

std::wstring WideOfUtf8(const char* text);
std::string Utf8OfAnsi(const char* text);

}  // namespace dibglue
