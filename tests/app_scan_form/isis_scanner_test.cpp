// Tarnwick.exe on an ISIS driver model chosen by the operator: "Select Scanner" lists the ISIS
// bridge's models after the other sources, the settings form then offers what that model
// reports, and a batch scans through it into the dated folder with the model's settings.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "form_driving.h"
#include "scan_form_ids.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "test_files.h"
#include "win_driver.h"

namespace {

const char* const kFormTitle = "扫瞄设定";      // id 501
const char* const kPrepareTitle = "准备扫瞄";   // id 201
constexpr int kSourceList = 402, kPageLabel = 2001;

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Width, height, bit depth and colour type from a PNG's header; false when it is none.
bool PngHeader(const std::string& path, uint32_t* width, uint32_t* height, int* depth, int* colour) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[26] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h) || h[1] != 'P' || h[12] != 'I') return false;
  *width = (uint32_t(h[16]) << 24) | (uint32_t(h[17]) << 16) | (uint32_t(h[18]) << 8) | h[19];
  *height = (uint32_t(h[20]) << 24) | (uint32_t(h[21]) << 16) | (uint32_t(h[22]) << 8) | h[23];
  *depth = h[24];
  *colour = h[25];
  return true;
}

std::string StoredText(const char* name) {
  char text[128] = {};
  DWORD size = sizeof text;
  if (SHGetValueA(HKEY_CURRENT_USER, "Software\\Quandrix", name, nullptr, text, &size) != ERROR_SUCCESS)
    return "<absent>";
  return text;
}

DWORD StoredInt(const char* name) {
  DWORD value = 99, size = sizeof value;
  SHGetValueA(HKEY_CURRENT_USER, "Software\\Quandrix", name, nullptr, &value, &size);
  return value;
}

class IsisScanner : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTempFolder("isis_scanner");
    scans_ = folder_ + "scans";
    CreateDirectoryA(scans_.c_str(), nullptr);
    record_ = folder_ + "isis_sent.txt";
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    StoreLibraryInt("DEBUGLEVEL", 1);
    StoreLibraryText("SAVEPATH", folder_);
    const std::string ini = folder_ + "zebsim.ini";
    std::ofstream(ini, std::ios::binary) << "[Feeder]\r\nSheets=3\r\nDuplex=1\r\n[Isis]\r\nRecord=" << record_ << "\r\n";
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
    // Gray at the fifth resolution of the form's list, from the glass (the library cannot ask an
    // ISIS driver whether paper is in its feeder), one PNG a page.
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary)
        << "[Settings]\r\nPath=" << scans_ << "\r\nImage Type=1\r\nResolution=4\r\nScan Method=1\r\n"
        << "Save Format=1\r\n[Name]\r\nUserName=operator\r\n";
  }
  void TearDown() override {
    tarnwick_.Close();
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileW(SettingsFilePath().c_str());
    DeleteFolder(folder_);
    // The ISIS start's setscan.ini would choose this model for whatever starts the bridge next.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\setscan.ini").c_str());
  }
  // Select Scanner, the model picked in the library's source list, OK.
  bool ChooseModel(const std::string& model) {
    windriver::PostCommand(tarnwick_.Main(), IDM_SELECTSCANNER1);
    HWND dialog = windriver::FindTopWindow("#32770", "Source Selection", 15000);
    if (!dialog) return false;
    for (int i = 0; i < 50 && !IsWindowVisible(dialog); ++i) Sleep(50);
    HWND list = GetDlgItem(dialog, kSourceList);
    entries_ = windriver::ListBoxItems(list);
    int index = -1;
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i] == model) index = static_cast<int>(i);
    if (index < 0) return false;
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSourceList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    windriver::ClickButton(dialog, IDOK);
    return windriver::WaitGone("#32770", "Source Selection", 15000);
  }
  std::vector<std::string> FormResolutions(bool* duplex) {
    windriver::PostCommand(tarnwick_.Main(), IDM_SCANNERSETTINGS1);
    HWND form = windriver::FindTopWindow("#32770", kFormTitle, 15000);
    for (int i = 0; i < 100 && form && !IsWindowVisible(form); ++i) Sleep(50);
    Sleep(200);
    if (!form) return {};
    std::vector<std::string> items = formdriving::ComboItems(GetDlgItem(form, IDC_XANDYRESOLUTION));
    *duplex = IsWindowEnabled(GetDlgItem(form, IDC_DUPLEXCHECKBOX)) != FALSE;
    formdriving::Press(form, IDCANCEL);
    windriver::WaitGone("#32770", kFormTitle, 5000);
    return items;
  }

  std::string folder_, scans_, record_;
  std::vector<std::string> entries_;
  TarnwickProcess tarnwick_;
};

TEST_F(IsisScanner, ChosenModelScansAThreePageBatchWithItsOwnSettings) {
  ASSERT_TRUE(tarnwick_.Start());
  ASSERT_TRUE(ChooseModel("ZS-1200 ISIS")) << "the source list held: " << ::testing::PrintToString(entries_);
  ASSERT_GE(entries_.size(), 2u);
  EXPECT_EQ(entries_[entries_.size() - 2], "ZS-3000 ISIS");
  EXPECT_EQ(StoredInt("SOURCE"), 2u);
  EXPECT_EQ(StoredText("SOURCENAME"), "ZS-1200 ISIS");
  EXPECT_EQ(StoredText("DRIVERNAME"), "zebisis");

  // The model reads up to 300 dpi on one side only: five resolutions, no duplex, although the
  // scanner under it could turn the sheets.
  bool duplex = true;
  EXPECT_EQ(FormResolutions(&duplex), (std::vector<std::string>{"100", "150", "200", "250", "300"}));
  EXPECT_FALSE(duplex);

  // Three passes over the glass, a page each, continued from the Prepare Scanner dialog.
  windriver::PostCommand(tarnwick_.Main(), IDM_SCANPAGE1);
  for (int pass = 1; pass <= 3; ++pass) {
    HWND prepare = windriver::FindTopWindow("#32770", kPrepareTitle, 120000);
    if (!prepare) {
      std::string said;
      formdriving::AnswerBox("*", 2000, &said);
      std::string sent;
      for (const std::string& line : Lines(record_)) sent += line + "; ";
      FAIL() << "no Prepare Scanner dialog after pass " << pass << "; a message said '" << said
             << "'; the driver was sent: " << sent.substr(sent.size() > 1500 ? sent.size() - 1500 : 0);
    }
    Sleep(200);
    const std::string label = windriver::WindowText(GetDlgItem(prepare, kPageLabel));
    EXPECT_NE(label.find(" " + std::to_string(pass) + " "), std::string::npos) << label;
    windriver::ClickButton(prepare, pass < 3 ? IDOK : IDCANCEL);
    windriver::WaitGone("#32770", kPrepareTitle, 10000);
  }
  Sleep(500);
  EXPECT_EQ(tarnwick_.Close(), 0u);

  // The driver that scanned was the chosen model, sent the form's 300 dpi gray.
  const std::vector<std::string> sent = Lines(record_);
  std::string model, width, length;
  bool scanned = false, dpi = false, gray = false, glass = false;
  for (const std::string& line : sent) {
    if (line.rfind("model ", 0) == 0) model = line.substr(6);
    if (line == "282 32786 300,1") dpi = true;
    if (line == "277 32784 1") gray = true;
    if (line.rfind("256 32785 ", 0) == 0) width = line.substr(10);
    if (line.rfind("257 32785 ", 0) == 0) length = line.substr(10);
    if (line == "acquire") scanned = true;
    if (line == "1300 32784 2") glass = true;
  }
  EXPECT_TRUE(scanned);
  EXPECT_EQ(model, "ZS-1200 ISIS");
  EXPECT_TRUE(dpi);
  EXPECT_TRUE(gray);
  EXPECT_TRUE(glass);

  // One dated folder of three pages, each as wide and long as the area the driver was sent (the
  // program keeps its PNG pages as RGB, so the gray is seen in what the driver was sent).
  std::vector<std::string> folders;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((scans_ + "\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (found.cFileName[0] != '.') folders.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  ASSERT_EQ(folders.size(), 1u);
  ASSERT_EQ(folders[0].size(), 15u) << folders[0];  // YYYYMMDD-hhmmss
  EXPECT_EQ(folders[0][8], '-');
  const std::string batch = scans_ + "\\" + folders[0] + "\\";
  for (const char* name : {"000001.png", "000002.png", "000003.png"}) {
    uint32_t w = 0, h = 0;
    int depth = 0, colour = -1;
    ASSERT_TRUE(PngHeader(batch + name, &w, &h, &depth, &colour)) << name;
    EXPECT_EQ(std::to_string(w), width) << name;
    EXPECT_EQ(std::to_string(h), length) << name;
    EXPECT_EQ(depth, 8) << name;
  }
  EXPECT_FALSE(PathFileExistsA((batch + "000004.png").c_str()));
}

}  // namespace
