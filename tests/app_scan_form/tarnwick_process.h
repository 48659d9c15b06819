// Tarnwick.exe started as an operator starts it, on the simulated maker's scanner, with the
// library's log at level 1 in a case folder, and closed again; the settings file it keeps.
#pragma once
#include <windows.h>

#include <string>

class TarnwickProcess {
 public:
  // Starts the program from `folder` (ending in "\"), found in the test's own folder when empty;
  // `program` names the edition's file.
  bool Start(const std::string& folder = "", const std::string& program = "Tarnwick.exe");
  // Closes the main window and waits for the program to end; its exit code.
  DWORD Close();
  ~TarnwickProcess();
  HWND Main() const { return main_; }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The settings file in the documents folder, and a value read from it ("<none>" when absent).
std::wstring SettingsFilePath();
std::string SettingsValue(const char* section, const char* key);
bool SettingsFileExists();
std::string FileText(const std::wstring& path);
