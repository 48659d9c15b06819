// Choosing the plug-in for a file: by extension, by file format, or for a conversion. A choice
// that finds an entry makes it current; one that finds none leaves the current entry as it was.
#pragma once
#include <cstdint>
#include <string>

constexpr int32_t kAnyCompression = -1;

// The first entry from the head whose extension text equals `extension` (ignoring case). With
// a `compression` other than kAnyCompression, an entry for a "pdf..." extension counts only
// when that mode is among its compression modes.
int32_t ChooseByExtension(const std::string& extension, int32_t compression = kAnyCompression);

// The first entry whose format list begins with `format`.
int32_t ChooseByFormat(int32_t format);

// ZebSaveAs: the target's extension, or FILEFORMAT's value for a name without one.
int32_t ChooseForSave(const char* target);

// ZebConvertFile: see ChooseConversionBy; a "pdf" choice also checks COMPRESSION's value.
int32_t ChooseForConversion(const char* target, const char* source);
