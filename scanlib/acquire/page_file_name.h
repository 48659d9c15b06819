// Names of the page files the library writes in file transfer: the target name as given, or
// numbered per page or per sheet when the feeder is in use and each page or sheet gets a file.
#pragma once
#include <cstddef>
#include <cstdint>

// The page-file name buffer: 127 characters and the terminator.
constexpr size_t kPageFileNameSize = 128;

struct PageFileNaming {
  int32_t multiPage = 0;    // MULTIPAGE: 0 a file per page, 1 one file, 2 a file per sheet
  int32_t feederType = 0;   // FEEDERTYPE: 1 duplex
  bool feederInUse = false;
};

// The extension of a file name: what follows the last '.' of its last path element (a '.' in a
// folder name does not count), or "" when there is none. Points into `name`.
const char* FileNameExtension(const char* name);

// Writes the name of page `pageCounter` (1 = first) of the target into `out`: "<base>000001<ext>",
// "<base>000001A<ext>" / "B" for the two sides of a duplex sheet, or the target unchanged.
// False, with `out` empty, when the name does not fit `capacity` bytes.
bool BuildPageFileName(const char* target, int32_t pageCounter, const PageFileNaming& naming,
                       char* out, size_t capacity);

// The name the TWAIN engine gives the file it writes for image n (1 = first) of a file transfer:
// the template's first `baseLength` characters, then "000001A.bmp" / "000001B.bmp" for the two
// sides of a duplex sheet, "000001.bmp" from the feeder, or ".bmp". False when it does not fit.
bool EngineFileName(const char* templateName, uint32_t baseLength, int32_t n, bool duplex,
                    bool feeder, char* out, size_t capacity);
