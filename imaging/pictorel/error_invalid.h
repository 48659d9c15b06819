// The imaging components' exception, their texts, and the per-thread state the bindings keep:
// the operation in progress and the last error the image-file library reported. Each thread
// has its own copy, so the save queue's writes never mix with the viewer's.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

class ErrorInvalid : public std::runtime_error {
 public:
  explicit ErrorInvalid(const std::string& message);
  ErrorInvalid(const ErrorInvalid&) = default;
  ~ErrorInvalid() override;  // clears the operation text of the thread
};

namespace pictorel_text {
constexpr const char* kCantAllocate = "Can't allocate memory";
constexpr const char* kInputEmpty = "Input image is empty";
constexpr const char* kInputNot8Bit = "Input image is not 8 bit";
constexpr const char* kCouldNotWrite = "Could not write Image";
constexpr const char* kPcdSave = "pcd save feature not implemented";
constexpr const char* kWrongDllName = "Wrong dll Name in DLL96V1";
constexpr const char* kUnknownDllError = "Unknown error in Pictorel Dll";
constexpr const char* kDllException =
    "An exception error occured in the pictorel dll. We recommend to exit the application and "
    "to restart it by clicking its icon!";
std::string CantLoad(const std::string& library);  // "Can't load " + name + ". Make sure ..."
}  // namespace pictorel_text

// The text of the operation in progress on this thread.
std::string& OperationText();

struct DllErrorRecord {
  int16_t code = 0;
  std::string text;
};
// The last failure the image-file library reported on this thread.
DllErrorRecord& LastDllError();

// Records code and its text: the library's string of that number, or the generic text when
// the code is -1 or the library has no text for it.
void SetDllError(int16_t code);
