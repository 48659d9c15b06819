// A batch folder of numbered page files, the main window made in process over it, and an
// operator on another thread who answers the dialogs the commands open.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tarnwick_form.h"
#include "win_driver.h"

// A 1-bit page whose black bar sits where its number says: no two pages look alike.
HGLOBAL MakeBatchPage(int number);
// Writes 000001.tif ... in folder (made fresh); answers the full names.
std::vector<std::string> WriteBatch(const std::string& folder, int pages);
void RemoveFolder(const std::string& folder);
std::string FileBytes(const std::string& file);
std::vector<std::string> FolderNames(const std::string& folder);
// The rows of a DIB block, with width, height and depth in front (no resolution).
std::string DibPixels(HGLOBAL dib);
inline void Pump(DWORD ms) { windriver::PumpMessagesFor(ms); }

// Runs steps one after another on its own thread while the test thread sits in a command's
// modal loop; each step answers whether it found what it waited for.
class Operator {
 public:
  using Step = std::function<bool()>;
  explicit Operator(std::vector<Step> steps);
  ~Operator();
  // Waits for the steps to end; answers how many succeeded.
  int Finish();

 private:
  std::atomic<int> done_{0};
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

// Steps: answer the next message box with a button and keep its text.
Operator::Step AnswerBox(int button, std::string* text = nullptr, DWORD timeoutMs = 20000,
                         const std::string& picture = "");
// Fill a file dialog of that title with a name and press its OK button.
// With a picture name, a picture of the box or dialog is kept in the build's screens folder first.
Operator::Step FileDialog(const std::string& title, const std::wstring& name, DWORD timeoutMs = 20000,
                          const std::string& picture = "");

// The main window as the program makes it; started with a page file of the batch it opens
// that batch as the program does with a command-line argument.
class BatchWindow {
 public:
  explicit BatchWindow(const std::wstring& firstArgument = L"");
  ~BatchWindow();
  tarnwick::TTarnwickForm form;
  // Clicks the thumbnail of a page (1-based) as the operator would.
  void ClickPage(int pageNo);
  std::vector<std::string> Captions();
};
