// Both programs of one build as an operator meets them: the second edition's string table, two
// instances side by side, its settings beside the program and nowhere else, its window and
// about box (kept as pictures beside the test programs' folder).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_ids.h"
#include "settings_files.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "win_driver.h"

namespace {

std::wstring Utf16(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
  return w;
}

// A text of a program's own string table, read from its file; "<none>" when it has no such id.
std::wstring ProgramText(const wchar_t* program, int id) {
  HMODULE module = LoadLibraryExW((TestFolder() + L"\\" + program).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return L"<no program>";
  const wchar_t* text = nullptr;
  int n = LoadStringW(module, UINT(id), reinterpret_cast<LPWSTR>(&text), 0);
  std::wstring out = n > 0 ? std::wstring(text, size_t(n)) : L"<none>";
  FreeLibrary(module);
  return out;
}

std::wstring SecondIni() { return TestFolder() + L"\\Tarnwick2.INI"; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Value(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines)
    if (l.compare(0, key.size() + 1, key + "=") == 0) return l.substr(key.size() + 1);
  return "<missing>";
}

class SecondEditionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseStrayTarnwicks();
    settings_.Clear();
    DeleteFileW(SecondIni().c_str());
  }
  void TearDown() override {
    CloseStrayTarnwicks();
    DeleteFileW(SecondIni().c_str());
  }
  SettingsFiles settings_;
};

TEST_F(SecondEditionTest, EachProgramCarriesItsOwnEditionsTexts) {
  EXPECT_EQ(ProgramText(L"Tarnwick.exe", 1028), Utf16("列印发生错误!!"));
  EXPECT_EQ(ProgramText(L"Tarnwick2.exe", 1028), L"Print Error!!");
  EXPECT_EQ(ProgramText(L"Tarnwick.exe", 600), Utf16("输入影像清单"));
  EXPECT_EQ(ProgramText(L"Tarnwick2.exe", 600), L"<none>");
  EXPECT_EQ(ProgramText(L"Tarnwick2.exe", 601), L"<none>");
}

TEST_F(SecondEditionTest, StartedTwiceItShowsTwoWindowsAndKeepsItsSettingsBesideItself) {
  TarnwickProcess first, second;
  ASSERT_TRUE(first.Start(L"", L"", L"Tarnwick2.exe"));
  HWND one = first.MainWindow();
  ASSERT_NE(one, nullptr);
  Sleep(1500);  // painted
  EXPECT_TRUE(IsZoomed(one));
  ASSERT_TRUE(second.Start(L"", L"", L"Tarnwick2.exe"));
  HWND two = second.MainWindow();
  ASSERT_NE(two, nullptr);
  EXPECT_NE(one, two);
  EXPECT_EQ(second.WaitExit(1000), -1) << "the second start ended";
  EXPECT_TRUE(IsWindowVisible(one));
  EXPECT_TRUE(IsWindowVisible(two));
  EXPECT_TRUE(IsZoomed(two));

  // Laid out for 753 x 511, centred: what it comes back to from maximised.
  ShowWindowAsync(two, SW_RESTORE);
  for (int i = 0; i < 100 && IsZoomed(two); ++i) Sleep(50);
  Sleep(300);
  RECT r{};
  ASSERT_TRUE(GetWindowRect(two, &r));
  Sleep(1000);  // painted at its own size
  EXPECT_TRUE(windriver::KeepScreen(two, "second_edition_main_window.png"));
  EXPECT_EQ(r.right - r.left, 753);
  EXPECT_EQ(r.bottom - r.top, 511);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - 753) / 2, 40);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - 511) / 2, 40);

  ASSERT_TRUE(windriver::PostCommand(two, IDM_ABOUT1));
  HWND about = windriver::FindTopWindow("#32770", "Sobre o Folvex", 10000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(windriver::WindowText(windriver::FindControl(about, IDC_ABOUT_LABEL1)).rfind("Folvex 1.6.3 ", 0), 0u)
      << windriver::WindowText(windriver::FindControl(about, IDC_ABOUT_LABEL1));
  EXPECT_NE(windriver::WaitReady("#32770", "Sobre o Folvex", 10000), nullptr);
  Sleep(500);
  EXPECT_TRUE(windriver::KeepScreen(about, "second_edition_about.png"));
  ASSERT_TRUE(windriver::ClickButton(about, IDOK));
  EXPECT_TRUE(windriver::WaitGone("#32770", "Sobre o Folvex", 10000));

  EXPECT_EQ(second.Close(), 0);
  EXPECT_EQ(first.Close(), 0);
  // The settings went beside the program, with the second edition's defaults, and nothing to
  // the documents folder.
  ASSERT_TRUE(Exists(SecondIni()));
  const std::vector<std::string> lines = IniLines(ReadIniText(SecondIni()));
  EXPECT_EQ(Value(lines, "Settings/Size"), "0");
  EXPECT_EQ(Value(lines, "Settings/Png"), "0");
  EXPECT_EQ(Value(lines, "Settings/Resolution"), "2");
  EXPECT_NE(Value(lines, "Name/UserName"), "<missing>");
  EXPECT_FALSE(settings_.Exists());
}

}  // namespace
