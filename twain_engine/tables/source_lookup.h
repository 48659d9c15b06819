// Whether the engine must find a source's full identity itself before opening it: older
// platforms' managers open a source only from a complete identity.
#pragma once
#include <cstdint>

struct PlatformVersion {
  bool known;           // false when the platform would not tell its version
  uint32_t platformId;  // 0 Win32s, 1 Windows 95 family, 2 NT family
  uint32_t major;
  uint32_t minor;
};

bool SourceLookupNeeded(const PlatformVersion& v);
