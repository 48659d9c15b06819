// The frame every image-file wrapper follows.
#pragma once
#include <cstring>
#include <string>

#include "dll_loader.h"
#include "error_invalid.h"

// A file name as the library takes it: zero-terminated, at most 510 characters.
struct DllFileName {
  explicit DllFileName(const std::string& name) {
    size_t n = name.size() < sizeof text - 1 ? name.size() : sizeof text - 1;
    std::memcpy(text, name.data(), n);
    text[n] = 0;
  }
  char text[511];
};

// Binds, names the operation (unless empty), calls in the guard and records a failure result.
template <typename Proc, typename Call>
bool CallCrde(const char* entry, Proc& proc, const std::string& operation, Call call) {
  if (!BindCrde(entry, proc)) return false;
  if (!operation.empty()) OperationText() = operation;
  int16_t result = 0;
  if (!GuardedDllCall([&] { result = call(proc); })) return false;
  if (result <= 0) {
    SetDllError(result);
    return false;
  }
  return true;
}
