// The save options handed to every FileCreate and FileSaveAs, from COMPRESSION and
// COMPRESSQUALITY.
#pragma once
#include <cstdint>

#include "file_plugin.h"

constexpr int32_t kCompressionJpeg = 11;

FileSaveOptions SaveOptionsFor(int32_t compression, int32_t quality);
FileSaveOptions CurrentSaveOptions();  // from the tags' current values
