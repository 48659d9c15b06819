// Tarnwick2.exe, the second edition, driven as an operator drives it on the simulated maker's
// scanner: the settings form as the maker's model table sets feeder and duplex, a refused quality
// value that keeps the form open, a picture of the form, and "Select Scanner" deleting the
// settings file beside the program.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <string>

#include "form_driving.h"
#include "scan_form_ids.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "test_files.h"
#include "win_driver.h"

namespace {

using formdriving::ChooseComboItem;
using formdriving::Press;

const char* const kProgram = "Tarnwick2.exe";
const char* const kFormTitle = "Configurações do Scanner";  // id 501
const char* const kQualityError = "Valor entre 2~255";       // id 1010

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Enabled(HWND form, int id) { return IsWindowEnabled(GetDlgItem(form, id)) != FALSE; }

class SecondEditionForm : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = FreshTempFolder(std::string("second_form_") + test->name());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileA(Ini().c_str());
    DeleteFileW(SettingsFilePath().c_str());
    SimulateModel("");
  }
  void TearDown() override {
    EXPECT_EQ(tarnwick_.Close(), 0u);
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileA(Ini().c_str());
    DeleteFileW(SettingsFilePath().c_str());
    DeleteFolder(folder_);
  }
  // The settings file of the second edition: the program's own name beside it.
  static std::string Ini() { return FolderOfThisProgram() + "Tarnwick2.INI"; }
  // The simulated scanner answers this model text (its own when empty).
  void SimulateModel(const std::string& model) {
    const std::string ini = folder_ + "zebsim.ini";
    std::ofstream out(ini, std::ios::binary | std::ios::trunc);
    out << "[Feeder]\r\nSheets=3\r\n";
    if (!model.empty()) out << "[Driver]\r\nProductName=" << model << "\r\n";
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
  }
  HWND OpenForm() {
    windriver::PostCommand(tarnwick_.Main(), IDM_SCANNERSETTINGS1);
    HWND form = windriver::FindTopWindow("#32770", kFormTitle, 15000);
    for (int i = 0; i < 100 && form && !IsWindowVisible(form); ++i) Sleep(50);
    Sleep(200);
    return form;
  }
  bool CloseForm(HWND form) {
    Press(form, IDCANCEL);
    return windriver::WaitGone("#32770", kFormTitle, 5000);
  }

  std::string folder_;
  TarnwickProcess tarnwick_;
};

TEST_F(SecondEditionForm, TheMakersModelTableSetsFeederAndDuplexForExactModelTextsOnly) {
  // The simulated scanner's own tests answer: both methods and duplex.
  struct Case {
    const char* model;
    bool methodEnabled;
    int method;  // the item shown: 0 feeder, 1 flatbed
    bool duplexEnabled;
  } cases[] = {
      {"RM430", false, 0, true},   // feeder, forced, duplex
      {"RM410", false, 0, false},  // feeder, forced, no duplex
      {"RMB9", false, 1, false},   // neither
      {"RM4300", true, 0, true},   // only starts with a model of the table: the tests' answers
      {"RM430X", true, 0, true},
      {"", true, 0, true},         // the simulator's own model
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    SimulateModel(c.model);
    ASSERT_TRUE(tarnwick_.Start("", kProgram));
    HWND form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Enabled(form, IDC_SCANMETHOD_FEEDER), c.methodEnabled);
    EXPECT_EQ(Enabled(form, IDC_SCANMETHOD_FLATBED), c.methodEnabled);
    EXPECT_EQ(formdriving::IsChecked(form, IDC_SCANMETHOD_FEEDER), c.method == 0);
    EXPECT_EQ(formdriving::IsChecked(form, IDC_SCANMETHOD_FLATBED), c.method == 1);
    EXPECT_EQ(Enabled(form, IDC_DUPLEXCHECKBOX), c.duplexEnabled);
    ASSERT_TRUE(CloseForm(form));
    EXPECT_EQ(tarnwick_.Close(), 0u);
    // The table does not change the stored method: the simulator takes both.
    wchar_t method[16] = {};
    GetPrivateProfileStringW(L"Settings", L"Scan Method", L"<none>", method, 16,
                             windriver::Wide(Ini()).c_str());
    EXPECT_STREQ(method, L"0");
  }
}

// Gray and colour keep the track bars usable as black-and-white does; the form is pictured with each.
TEST_F(SecondEditionForm, PicturesOfTheFormWithEachImageType) {
  ASSERT_TRUE(tarnwick_.Start("", kProgram));
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  const char* const names[] = {"scan_form_second_bw.png", "scan_form_second_gray.png",
                               "scan_form_second_colour.png"};
  for (int type = 0; type < 3; ++type) {
    ASSERT_TRUE(ChooseComboItem(form, IDC_SCANCOLORRESOLUTIONCOMBO, type));
    EXPECT_EQ(formdriving::ComboSelection(GetDlgItem(form, IDC_SCANCOLORRESOLUTIONCOMBO)), type);
    EXPECT_TRUE(Enabled(form, IDC_BRIGHTTRACKBAR)) << type;
    Sleep(300);
    EXPECT_TRUE(windriver::KeepScreen(form, names[type]));
  }
  ASSERT_TRUE(CloseForm(form));
}

TEST_F(SecondEditionForm, ARefusedQualityAsksYesOrNoAndKeepsTheFormOpen) {
  ASSERT_TRUE(tarnwick_.Start("", kProgram));
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  // Black-and-white with the second edition's rules: the track bars stay usable.
  EXPECT_EQ(formdriving::ComboSelection(GetDlgItem(form, IDC_SCANCOLORRESOLUTIONCOMBO)), 0);
  EXPECT_TRUE(Enabled(form, IDC_BRIGHTTRACKBAR));
  // PNG shows the edit without its range.
  ASSERT_TRUE(ChooseComboItem(form, IDC_SAVEFMTCOMBX, 1));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(form, IDC_JPGEDT)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(form, IDC_RANGEVALUE)));
  ASSERT_TRUE(ChooseComboItem(form, IDC_SAVEFMTCOMBX, 4));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(form, IDC_RANGEVALUE)));
  Sleep(300);
  EXPECT_TRUE(windriver::KeepScreen(form, "scan_form_second.png"));
  EXPECT_EQ(windriver::CutTexts(form), std::vector<std::string>{}) << "texts cut in the second edition's form";

  ASSERT_TRUE(formdriving::TypeText(form, IDC_JPGEDT, "1"));
  ASSERT_TRUE(ChooseComboItem(form, IDC_XANDYRESOLUTION, 5));
  windriver::ClickButton(form, IDOK);
  HWND box = nullptr;
  for (int i = 0; i < 100 && !box; ++i, Sleep(100)) {
    HWND found = windriver::FindTopWindow("#32770", "Folvex", 0);
    if (found && found != form && IsWindowVisible(found)) box = found;
  }
  ASSERT_NE(box, nullptr) << "the quality message";
  HWND text = GetDlgItem(box, 0xFFFF) ? GetDlgItem(box, 0xFFFF) : GetDlgItem(box, 100);
  EXPECT_EQ(windriver::WindowText(text), kQualityError);
  auto shown = [box](int id) { HWND b = GetDlgItem(box, id); return b && IsWindowVisible(b); };
  EXPECT_TRUE(shown(IDYES));
  EXPECT_TRUE(shown(IDNO));
  EXPECT_FALSE(shown(IDOK));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
  Sleep(300);
  ASSERT_TRUE(IsWindow(form) && IsWindowVisible(form)) << "the form stays open with the edits";
  EXPECT_EQ(formdriving::ComboSelection(GetDlgItem(form, IDC_XANDYRESOLUTION)), 5);

  // Mended, OK applies and closes.
  ASSERT_TRUE(formdriving::TypeText(form, IDC_JPGEDT, "70"));
  windriver::ClickButton(form, IDOK);
  ASSERT_TRUE(windriver::WaitGone("#32770", kFormTitle, 5000));
  EXPECT_EQ(tarnwick_.Close(), 0u);
  wchar_t value[16] = {};
  const std::wstring ini = windriver::Wide(Ini());
  GetPrivateProfileStringW(L"Settings", L"Resolution", L"", value, 16, ini.c_str());
  EXPECT_STREQ(value, L"5");
  GetPrivateProfileStringW(L"Settings", L"Jpeg Qualty", L"", value, 16, ini.c_str());
  EXPECT_STREQ(value, L"70");
  EXPECT_FALSE(SettingsFileExists()) << "nothing in the documents folder";
}

TEST_F(SecondEditionForm, SelectScannerDeletesTheSettingsFileBesideTheProgram) {
  {
    // The operator's own file: its owner is the user running the program.
    char user[128] = {};
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    std::ofstream(Ini(), std::ios::binary)
        << "[Name]\r\nUserName=" << user << "\r\n[Settings]\r\nResolution=4\r\n";
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary) << "[Settings]\r\nResolution=3\r\n";
  }
  const std::string documents = FileText(SettingsFilePath());
  ASSERT_TRUE(tarnwick_.Start("", kProgram));
  windriver::PostCommand(tarnwick_.Main(), IDM_SELECTSCANNER1);
  ASSERT_TRUE(formdriving::AcceptSourceDialog()) << "the library's source dialog";
  for (int i = 0; i < 100 && Exists(Ini()); ++i) Sleep(100);
  EXPECT_FALSE(Exists(Ini()));
  EXPECT_EQ(FileText(SettingsFilePath()), documents) << "the first edition's file is not its own";
  // The settings stay in memory and come back beside the program when it closes.
  EXPECT_EQ(tarnwick_.Close(), 0u);
  wchar_t value[16] = {};
  GetPrivateProfileStringW(L"Settings", L"Resolution", L"", value, 16, windriver::Wide(Ini()).c_str());
  EXPECT_STREQ(value, L"4");
}

}  // namespace
