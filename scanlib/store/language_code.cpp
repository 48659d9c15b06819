#include "language_code.h"

#include <cstdio>

uint32_t LanguageIdFor(int32_t language, uint32_t systemDefaultLangId) {
  switch (language) {
    case 0: return systemDefaultLangId;
    case 1: return 0x0409;
    case 2: return 0x0404;
    case 3: return 0x0804;
    default: return static_cast<uint32_t>(language);
  }
}

void FormatLanguageSection(uint32_t langId, char out[5]) {
  // A language identifier is 16 bits; larger settings must not write past the 5 bytes.
  std::snprintf(out, 5, "%04X", static_cast<unsigned>(langId & 0xFFFFu));
}
