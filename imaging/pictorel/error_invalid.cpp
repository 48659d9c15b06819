#include "error_invalid.h"

#include <windows.h>

ErrorInvalid::ErrorInvalid(const std::string& message) : std::runtime_error(message) {}
ErrorInvalid::~ErrorInvalid() { OperationText().clear(); }

std::string pictorel_text::CantLoad(const std::string& library) {
  return "Can't load " + library + ". Make sure its located in the application's searchpath.";
}

std::string& OperationText() {
  thread_local std::string text;
  return text;
}

DllErrorRecord& LastDllError() {
  thread_local DllErrorRecord record;
  return record;
}

void SetDllError(int16_t code) {
  DllErrorRecord& r = LastDllError();
  r.code = code;
  r.text.clear();
  if (code != -1) {
    char buffer[256] = {};
    HMODULE library = GetModuleHandleA("CRDE2001.DLL");
    if (library && LoadStringA(library, UINT(uint16_t(code)), buffer, sizeof buffer) > 0) r.text = buffer;
  }
  if (r.text.empty()) r.text = pictorel_text::kUnknownDllError;
}
