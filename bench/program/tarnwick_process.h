// Tarnwick.exe started and driven by a benchmark as the tests drive it, through its windows:
// its settings file written first, the simulated scanner's settings named in the environment,
// windows waited for by polling every millisecond so that the figures are the program's and not
// the driver's polling interval.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace benchprogram {

// The wall clock in milliseconds since 1970, the clock the simulator's sheet times and the file
// system's write times are on.
double WallMs();
// When the file was last written, on the same clock; negative when it does not exist.
double FileWrittenMs(const std::string& file);

// The first edition's settings file in the user's documents folder, with `lines` ("Key=value"
// each, CR LF between) in its section "Settings" and the batch root `path`.
bool WriteTarnwickSettings(const std::string& path, const std::string& lines);
// The simulated scanner's settings file, named for the program in ZEBSIM_CONFIG.
bool WriteSimSettings(const std::string& file, const std::string& text);

struct TarnwickProcess {
  PROCESS_INFORMATION process{};
  HWND main = nullptr;
  double startedMs = 0, windowMs = 0;  // process created, main window found (WallMs)
};

// Starts `exe` (with `argument` on its command line when not empty) from a scan library with
// nothing stored, and waits for its main window; false with a message.
bool StartTarnwick(const std::string& exe, const std::string& argument, TarnwickProcess* out);
// Closes the main window and waits for the program to end (ended by force after a minute);
// answers its exit code.
DWORD CloseTarnwick(TarnwickProcess* p);

// A top-level window of this class and UTF-8 title of the program, polled every millisecond.
HWND WaitWindow(const std::string& className, const std::string& title, DWORD timeoutMs);
// Sends the window a message that answers only when its thread has handled what came before.
bool WaitIdle(HWND window, DWORD timeoutMs);

struct Memory {
  double residentMb = -1, peakMb = -1, privateMb = -1;
};
Memory MemoryOf(HANDLE process);

// The prepare-scanner dialog's title in the first edition.
extern const char* const kPrepareTitle;

}  // namespace benchprogram
