// The parts of a file name that choose a file-format plug-in. Platform-free.
#pragma once
#include <string>

// The text after the last '.' of the name's last path component; empty when there is none, so
// a dot in a folder name ("c:\scans.old\page") is not taken for an extension.
std::string FileExtension(const char* name);

// ASCII comparisons without regard to case.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
bool StartsWithIgnoringCase(const std::string& text, const char* prefix);

// What chooses the plug-in of a conversion (target, source): the source's extension when it
// begins with "dj" or "pdf", else the target's; with no extension to go by, the file format.
enum class ConversionChoice { kSourceExtension, kTargetExtension, kFileFormat };
ConversionChoice ChooseConversionBy(const char* target, const char* source);
