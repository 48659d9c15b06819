// LoadScanLibrary and FreeScanLibrary: pavlot.dll bound by name and started with ZebLoad, then
// stopped with ZebFree and unloaded. Platform-free: the module loader and the error message are
// seams, so tests hand in a fake entry table and count the messages.
//
// Bindings nest: a command that binds while another already holds the library (a save-as
// dispatch inside a running scan) only counts; the outermost FreeScanLibrary calls ZebFree,
// unloads the library and clears the handle and every entry point.
//
// Every call goes through a guard: an entry point that is not bound answers kScanEntryNotBound,
// and the scan error (message 1014) is shown once per outermost binding.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "scan_entry_points.h"

namespace tarnwick {

// What a call answers when its entry point is not bound (no library status is this low).
constexpr int32_t kScanEntryNotBound = -0x10000;

// Loads a library by file name and resolves its exports (LoadLibrary / GetProcAddress).
class ScanModuleLoader {
 public:
  virtual ~ScanModuleLoader() = default;
  virtual void* Load(const char* file) = 0;  // nullptr when it cannot be loaded
  virtual void* Resolve(void* module, const char* name) = 0;
  virtual void Unload(void* module) = 0;
};

// Shows the scan error to the operator (message 1014, an error box with an OK button).
class ScanErrorReporter {
 public:
  virtual ~ScanErrorReporter() = default;
  virtual void ShowScanError() = 0;
};

class ScanLibrary {
 public:
  ScanLibrary(ScanModuleLoader& loader, ScanErrorReporter& errors)
      : loader_(loader), errors_(errors) {}
  ScanLibrary(const ScanLibrary&) = delete;
  ScanLibrary& operator=(const ScanLibrary&) = delete;

  // LoadScanLibrary: binds the library and calls ZebLoad with the owner window. A library that
  // cannot be loaded leaves every entry point empty and shows nothing here; the command that
  // then needs an entry point shows the scan error.
  void Load(void* ownerWindow);
  // FreeScanLibrary: the outermost one calls ZebFree, unloads and clears. Unbalanced calls do
  // nothing.
  void Free();
  // Releases the library (ZebFree, unload) and binds it anew, whatever the nesting; the
  // bindings that hold it keep holding the new one. Nothing when it is not bound.
  void Rebind(void* ownerWindow);

  int Depth() const { return depth_; }
  bool Loaded() const { return module_ != nullptr; }
  // ZebLoad's answer at the outermost binding (kScanEntryNotBound when it was not called).
  int32_t LoadStatus() const { return loadStatus_; }
  const ScanEntryPoints& Entries() const { return entries_; }

  // True when every entry point named is bound; otherwise shows the scan error (once per
  // binding) and answers false, so the command stops before calling anything.
  bool Require(std::initializer_list<ScanEntry> needed);
  // True once a missing entry point has been met in this binding.
  bool Failed() const { return errorShown_; }

  // The guarded calls.
  int32_t SetProp(const TScanPropRec& prop);
  int32_t Acquire(ScanPageProc callback);
  int32_t SelectSource();
  int32_t SetValue(uint32_t tag, void* value);
  int32_t GetValue(uint32_t tag, void* value);
  int32_t GetTagFlag(uint32_t tag, int32_t* flag);
  int32_t GetTagChoice(uint32_t tag, int32_t index, void* value);

 private:
  int32_t NotBound();
  void Release();

  ScanModuleLoader& loader_;
  ScanErrorReporter& errors_;
  void* module_ = nullptr;
  ScanEntryPoints entries_;
  int depth_ = 0;
  int32_t loadStatus_ = kScanEntryNotBound;
  bool errorShown_ = false;
};

// One binding for the life of a command: LoadScanLibrary now, FreeScanLibrary on every way out.
class ScanBinding {
 public:
  ScanBinding(ScanLibrary& library, void* ownerWindow) : library_(library) {
    library_.Load(ownerWindow);
  }
  ~ScanBinding() { library_.Free(); }
  ScanBinding(const ScanBinding&) = delete;
  ScanBinding& operator=(const ScanBinding&) = delete;

 private:
  ScanLibrary& library_;
};

}  // namespace tarnwick
