// zebdrv.dll loaded by name with its eight entry points, and a settings file for its simulated
// scanner, for tests that drive the driver directly.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ks_source_record.h"
#include "scan_page_info.h"

struct ZebDrv {
  HMODULE module = nullptr;
  int32_t(__stdcall* KSLoad)(HWND);
  int32_t(__stdcall* KSFree)();
  int32_t(__stdcall* KSGetDS)(int32_t, KSSourceRecord*);
  int32_t(__stdcall* KSSetDriverById)(KSSourceRecord*, int32_t);
  int32_t(__stdcall* KSGetValue)(int32_t, int32_t, void*);
  int32_t(__stdcall* KSSetValue)(int32_t, int32_t, void*);
  int32_t(__stdcall* KSQueryData)(int32_t, int32_t, HGLOBAL*);
  int32_t(__stdcall* KSAcquire)(PageCallbackProc, void*);

  bool Open();   // loads zebdrv.dll and binds every entry point
  void Close();
};

// Writes text to a fresh settings file and answers its path.
std::string WriteSimSettings(const std::string& iniText);
// The same, and points the driver at it (ZEBSIM_CONFIG); ForgetSimSettings takes it away again
// and deletes the file.
std::string UseSimSettings(const std::string& iniText);
void ForgetSimSettings();

// One page as the driver delivered it.
struct ReceivedPage {
  ScanPageInfo info{};
  std::vector<uint8_t> rows;    // the received rows, top row first
  std::vector<int32_t> codes;   // the code of every data block
  bool complete = false;        // a block with code 1 ended it
};

// Records every callback of a scan; answers `stopAnswer` to the last block of page `stopAtPage`.
struct ScanRecorder {
  std::vector<ReceivedPage> pages;
  std::vector<int32_t> errors;  // negative codes given to the callback
  uint32_t blockSize = 65536;   // what the callback asks for at event 2
  int stopAtPage = 0;
  int32_t stopAnswer = 0;

  static int32_t __stdcall Callback(void* data, uint32_t* size, int32_t code);
  int32_t Scan(ZebDrv& drv, void* buffer);  // runs KSAcquire with this recorder
  int PageNumber(size_t index) const;       // read from the page image, -1 when unreadable
};
