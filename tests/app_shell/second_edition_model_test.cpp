// What the two editions decide differently in the shell and the small dialogs: where the
// settings live and whose they are, the defaults, the panes at start and the about box's
// version.
#include <gtest/gtest.h>

#include <string>

#include "settings_place.h"
#include "shell_layout.h"
#include "small_forms.h"
#include "tarnwick_settings.h"

namespace tarnwick {
namespace {

constexpr int kWin9x = 1;

TEST(SecondEditionShell, SettingsBesideTheProgramOnEveryPlatformAndTheOwnerAlwaysChecked) {
  const std::string docs = "c:\\users\\op\\Documents", program = "c:\\scan\\Tarnwick2.exe";
  struct Case { Edition edition; int platform; const char* file; bool owner; } cases[] = {
      {Edition::kFirst, kPlatformWin32Nt, "c:\\users\\op\\Documents\\TarnwickForm.ini", false},
      {Edition::kFirst, kWin9x, "c:\\scan\\Tarnwick2.INI", true},
      {Edition::kSecond, kPlatformWin32Nt, "c:\\scan\\Tarnwick2.INI", true},
      {Edition::kSecond, kWin9x, "c:\\scan\\Tarnwick2.INI", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(SettingsFilePath(c.platform, docs, program, c.edition), c.file) << c.platform;
    EXPECT_EQ(ChecksSettingsOwner(c.platform, c.edition), c.owner) << c.platform;
  }
}

class EmptyIni : public IniFile {
 public:
  std::string ReadString(const std::string&, const std::string&,
                         const std::string& fallback) override {
    return fallback;
  }
  void WriteString(const std::string&, const std::string&, const std::string&) override {}
};

TEST(SecondEditionShell, SizeAndPngDefaultToZero) {
  EmptyIni ini;
  const TarnwickSettings first = LoadSettings(ini, Edition::kFirst);
  const TarnwickSettings second = LoadSettings(ini, Edition::kSecond);
  EXPECT_EQ(first.size, 1);
  EXPECT_EQ(first.png, 10);
  EXPECT_EQ(second.size, 0);
  EXPECT_EQ(second.png, 0);
  // Everything else is alike.
  TarnwickSettings alike = second;
  alike.size = first.size;
  alike.png = first.png;
  EXPECT_EQ(alike.resolution, first.resolution);
  EXPECT_EQ(alike.saveFormat, first.saveFormat);
  EXPECT_EQ(alike.path, first.path);
  EXPECT_EQ(alike.jpegQualty, first.jpegQualty);
}

TEST(SecondEditionShell, StripStarts377PixelsWide) {
  ShellLayout first, second;
  first.Start(777, Edition::kFirst);
  second.Start(737, Edition::kSecond);  // the client width of a 753-pixel window
  EXPECT_EQ(first.PanelWidth(), 388);
  const PaneLayout panes = second.Arrange(737, 400, 30, 20);
  EXPECT_EQ(panes.strip.width, 377);
  EXPECT_EQ(panes.panel.width, 737 - 377 - ShellLayout::kSplitterWidth);
  EXPECT_EQ(second.MinSize(), 737 / 4);
  ShellLayout tiny;
  tiny.Start(100, Edition::kSecond);
  EXPECT_EQ(tiny.PanelWidth(), 0);
}

class NoTexts : public InterfaceTexts {
 public:
  std::u16string Text(int id) const override { return id == 102 ? u"(c)" : u""; }
};

TEST(SecondEditionShell, AboutBoxVersion) {
  NoTexts texts;
  EXPECT_EQ(AboutVersionLabel(texts, Edition::kFirst), u"Folvex 1.6.4 (c)");
  EXPECT_EQ(AboutVersionLabel(texts, Edition::kSecond), u"Folvex 1.6.3 (c)");
}

}  // namespace
}  // namespace tarnwick
