// The file name of a file transfer and the FILEFORMAT its extension names. Platform-free.
#pragma once
#include <cstdint>

constexpr int kFileNameSize = 129;  // the tag's value type: 128 characters and a terminator

// FILEFORMAT for an extension (without its dot, any case); -1 when no format has it.
int32_t FileFormatForExtension(const char* ext);
// The extension that FILEFORMAT appends (".tif" ...); "" when it appends none.
const char* ExtensionForFileFormat(int32_t fileFormat);

// Works out the stored name: the extension is taken from the last path component only; a name
// without one gets the current format's extension. *newFormat receives the format the
// extension names, or fileFormat unchanged. Answers 0, or -8 when the result does not fit.
int32_t ApplyFileName(const char* text, int32_t fileFormat, char out[kFileNameSize],
                      int32_t* newFormat);
