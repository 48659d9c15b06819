// Tarnwick.exe started as an operator starts it, for the tests that drive it from outside.
#pragma once
#include <windows.h>

#include <string>

class TarnwickProcess {
 public:
  // Starts the program (by default Tarnwick.exe beside the test) with an argument line, in a
  // working folder (by default the test's).
  bool Start(const std::wstring& arguments = L"", const std::wstring& folder = L"",
             const std::wstring& program = L"Tarnwick.exe");
  ~TarnwickProcess();
  // Its main window, once it is there.
  HWND MainWindow(DWORD timeoutMs = 20000);
  // Exit code, or -1 when it had not ended within the timeout.
  long WaitExit(DWORD timeoutMs);
  // Closes the main window as the operator would and waits for the program to end.
  long Close(DWORD timeoutMs = 20000);

 private:
  PROCESS_INFORMATION pi_{};
};

// Ends every Tarnwick main window a failed test may have left behind.
void CloseStrayTarnwicks();
std::wstring TestFolder();  // the folder the test programs run in
