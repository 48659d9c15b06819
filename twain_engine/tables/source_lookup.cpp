#include "source_lookup.h"

bool SourceLookupNeeded(const PlatformVersion& v) {
  if (!v.known) return true;
  switch (v.platformId) {
    case 0: return true;
    case 1: return !(v.major == 4 && v.minor == 90) && !(v.major > 4);
    case 2: return v.major < 5;
    default: return false;
  }
}
