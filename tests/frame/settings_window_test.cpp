// The scanner settings dialog of the maker's driver kind, shown by ZebAcquireUIOnly and by a
// scan with ShowUI on, driven from a second thread as an operator would.
#include <gtest/gtest.h>

#include <string>

#include "settings_window_fixture.h"
#include "win_driver.h"

namespace {

// Gray, 200 dpi and both sides, as the operator chooses them.
void ChooseGray200Both(HWND dlg) {
  PickText(dlg, kMode, "Gray");
  PickText(dlg, kResolution, "200");
  Click(dlg, kBoth);
}

TEST_F(SettingsWindow, OkStoresWhatTheOperatorChose) {
  Start(true);
  std::vector<std::string> modes, resolutions, methods, papers;
  std::string modeLabel, caption;
  bool areaShown = false, moreShown = false, otherShown = true, shot = false;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    caption = CaptionOf(dlg);
    modes = ComboLines(dlg, kMode);
    resolutions = ComboLines(dlg, kResolution);
    methods = ComboLines(dlg, kMethod);
    papers = ComboLines(dlg, kPageSize);
    modeLabel = TextOf(dlg, kModeLabel);
    areaShown = Visible(dlg, kArea);
    moreShown = Visible(dlg, kMore);
    otherShown = Visible(dlg, kOther);
    ChooseGray200Both(dlg);
    shot = KeepDialogScreen(dlg, "library_settings_dialog.png");
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_TRUE(shot);
  EXPECT_EQ(caption, kCaption);
  EXPECT_EQ(modeLabel, "Image type:");
  EXPECT_EQ(modes, (std::vector<std::string>{"Black and White", "Gray", "Color"}));
  EXPECT_EQ(resolutions, (std::vector<std::string>{"75", "100", "150", "200", "240", "300", "400", "600"}));
  EXPECT_EQ(methods, (std::vector<std::string>{"Automatic", "Feeder", "Flatbed"}));
  ASSERT_GE(papers.size(), 3u);
  EXPECT_EQ(papers[2], "Letter");
  EXPECT_TRUE(areaShown);
  EXPECT_TRUE(moreShown);
  EXPECT_FALSE(otherShown);
  EXPECT_EQ(ScanData("PIXELTYPE"), "1");
  EXPECT_EQ(ScanData("BITSPERPIXEL"), "8");
  EXPECT_EQ(ScanData("XRESOLUTION"), "200");
  EXPECT_EQ(ScanData("YRESOLUTION"), "200");
  EXPECT_EQ(ScanData("FEEDERTYPE"), "1");
  EXPECT_EQ(Get16(0x9202), 1);
}

TEST_F(SettingsWindow, CancelLeavesEveryValue) {
  Start(true);
  const auto before = ScanDataValues();
  DialogOperator op;
  op.Run(kCaption, [](HWND dlg) {
    ChooseGray200Both(dlg);
    Type(dlg, kBrightEdit, "17");
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(ScanDataValues(), before);
  EXPECT_EQ(Get16(0x9202), 0);
}

// Without the localisation file the lists show the built-in English labels, each current value
// selected, so OK keeps the stored values.
TEST_F(SettingsWindow, WithoutLocalisationTheListsShowBuiltInLabels) {
  Start(false);
  ASSERT_EQ(Set16(0x9202, 1), 0);  // gray
  ASSERT_EQ(Set16(0x9100, 2), 0);  // flatbed
  ASSERT_EQ(Set16(0x9601, 6), 0);  // A5
  std::vector<std::string> modes, methods;
  std::string label, paper;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    modes = ComboLines(dlg, kMode);
    methods = ComboLines(dlg, kMethod);
    paper = TextOf(dlg, kPageSize);
    label = TextOf(dlg, kModeLabel);
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(modes, (std::vector<std::string>{"Black and White", "Gray", "Color"}));
  EXPECT_EQ(methods, (std::vector<std::string>{"Automatic", "Feeder", "Flatbed"}));
  EXPECT_EQ(paper, "A5");
  EXPECT_EQ(label, "Image type:");
  EXPECT_EQ(ScanData("PIXELTYPE"), "1");
  EXPECT_EQ(ScanData("SCANTYPE"), "2");
  EXPECT_EQ(ScanData("PAGESIZE"), "6");
}

// Every language fills the lists: its own labels where the file has its section, the English
// ones where it has none (German, 1031). The pictures are kept.
struct LanguageCase {
  DWORD language;
  const char* picture;
  const char* modeLabel;
  std::vector<std::string> modes, methods;
  const char* firstPaper;
};

class SettingsLanguages : public SettingsWindow, public testing::WithParamInterface<LanguageCase> {};

TEST_P(SettingsLanguages, ListsAreFilled) {
  const LanguageCase& c = GetParam();
  Start(true, c.language);
  std::vector<std::string> modes, methods, papers, cut;
  std::string label;
  bool kept = false;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    modes = ComboLinesUtf8(dlg, kMode);
    methods = ComboLinesUtf8(dlg, kMethod);
    papers = ComboLinesUtf8(dlg, kPageSize);
    wchar_t text[128] = {};
    GetDlgItemTextW(dlg, kModeLabel, text, 128);
    label = windriver::Utf8(text);
    cut = windriver::CutTexts(dlg);
    kept = windriver::SaveWindowPicture(dlg, PicturesFolder() + c.picture);
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_TRUE(kept);
  EXPECT_EQ(label, c.modeLabel);
  EXPECT_EQ(cut, std::vector<std::string>{});
  EXPECT_EQ(modes, c.modes);
  EXPECT_EQ(methods, c.methods);
  ASSERT_GE(papers.size(), 3u);
  EXPECT_EQ(papers[0], c.firstPaper);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, SettingsLanguages,
    testing::Values(
        LanguageCase{2, "settings_dialog_0404.png", "影像類型:", {"黑白", "灰階", "彩色"},
                     {"自動", "送紙器", "平台"}, "自訂"},
        LanguageCase{3, "settings_dialog_0804.png", "图像类型:", {"黑白", "灰度", "彩色"},
                     {"自动", "进纸器", "平板"}, "自定义"},
        LanguageCase{0x0416, "settings_dialog_0416.png", "Tipo de imagem:",
                     {"Preto e branco", "Tons de cinza", "Colorido"},
                     {"Automático", "Alimentador", "Mesa"}, "Personalizado"},
        LanguageCase{1031, "settings_dialog_0407.png", "Image type:",
                     {"Black and White", "Gray", "Color"}, {"Automatic", "Feeder", "Flatbed"},
                     "Custom"}),
    [](const testing::TestParamInfo<LanguageCase>& info) {
      return "Language" + std::to_string(info.param.language);
    });

// The scanner lists resolutions and has no rear side alone: a typed resolution becomes the
// nearest listed one, and Rear cannot be chosen.
TEST_F(SettingsWindow, OkStoresOnlyWhatTheScannerTakes) {
  Start(true);
  bool rearEnabled = true;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    Type(dlg, kResolution, "250");
    rearEnabled = Enabled(dlg, kRear);
    Click(dlg, kRear);
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_FALSE(rearEnabled);
  EXPECT_EQ(ScanData("XRESOLUTION"), "240");
  EXPECT_EQ(ScanData("YRESOLUTION"), "240");
  EXPECT_EQ(ScanData("FEEDERTYPE"), "0");
}

// Gray with the red drop-out: ZebGetValue answers the master brightness, and that is the one the
// dialog shows and saves, on the caller's scale.
TEST_F(SettingsWindow, BrightnessIsShownAndSavedOnOneElement) {
  Start(true);
  ASSERT_EQ(Set16(0x9202, 1), 0);
  ASSERT_EQ(Set16(0x9209, 1), 0);
  ASSERT_EQ(Set16(0x9204, 500), 0);  // the red element, caller's scale
  const std::string red = ScanData("BRIGHTNESS_R");
  std::string shown;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    shown = TextOf(dlg, kBrightEdit);
    Type(dlg, kBrightEdit, "200");
    Press(dlg, IDOK);
  });
  const int16_t master = Get16(0x9204);
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(shown, std::to_string(master));
  EXPECT_EQ(Get16(0x9204), 200);
  EXPECT_EQ(ScanData("BRIGHTNESS"), "565");  // 200 on 0..255 is 565 on -1000..1000
  EXPECT_EQ(ScanData("BRIGHTNESS_R"), red);
}

TEST_F(SettingsWindow, ContrastScrollBarReachesTheEndOfTheRange) {
  Start(true);
  std::string shown;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    HWND bar = GetDlgItem(dlg, kBrightEdit + 2);  // the contrast bar
    SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), reinterpret_cast<LPARAM>(bar));
    SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), reinterpret_cast<LPARAM>(bar));
    shown = TextOf(dlg, kBrightEdit + 3);
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(shown, "245");  // the driver's 0..255, ten below the end
  EXPECT_EQ(Get16(0x9205), 245);
  EXPECT_EQ(ScanData("CONTRAST"), "918");  // 245 on the caller's -1000..1000
}

TEST_F(SettingsWindow, ADialogThatCannotBeShownAnswersNotBound) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(pavlot.ZebLoad(owner), 0);
  DestroyWindow(owner);  // the library's owner window is gone: no dialog can be made over it
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), -7);
}

TEST_F(SettingsWindow, EveryTemplateIsInTheLibrary) {
  Provide({"pavlot.dll"});
  LoadPavlot();
  for (const char* dialog : {"MAINDIALOG", "AREA", "MORE"})
    for (const char* screen : {"_1024_768", "_800_600", "_800_600_SPECIAL"}) {
      const std::string name = std::string(dialog) + screen;
      EXPECT_NE(FindResourceA(pavlot.module, name.c_str(), MAKEINTRESOURCEA(5)), nullptr) << name;
    }
}

struct Pages {
  int count = 0;
  int bits = 0;
  int dpi = 0;
};
Pages* gPages = nullptr;

int32_t __stdcall KeepPage(void* data, uint32_t*, int32_t code) {
  if (code != 1 || !gPages) return 0;
  HGLOBAL page = *static_cast<HGLOBAL*>(data);
  if (auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(page))) {
    gPages->bits = h->biBitCount;
    gPages->dpi = static_cast<int>(h->biXPelsPerMeter / 39.37 + 0.5);
    GlobalUnlock(page);
  }
  GlobalFree(page);
  ++gPages->count;
  return 0;
}

TEST_F(SettingsWindow, AScanWithShowUIScansWhatOkChose) {
  Start(true);
  ASSERT_EQ(Set16(0x9102, 1), 0);  // page DIBs
  ASSERT_EQ(Set16(0x9100, 1), 0);  // the feeder
  ASSERT_EQ(Set16(0x9050, 1), 0);  // ShowUI
  Pages pages;
  gPages = &pages;
  DialogOperator op;
  op.Run(kCaption, [](HWND dlg) {
    PickText(dlg, kMode, "Gray");
    PickText(dlg, kResolution, "100");
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquire(KeepPage), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(pages.count, 3);  // the simulated feeder's sheets
  EXPECT_EQ(pages.bits, 8);
  EXPECT_EQ(pages.dpi, 100);

  pages = Pages{};
  DialogOperator cancel;
  cancel.Run(kCaption, [](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(pavlot.ZebAcquire(KeepPage), -4);
  cancel.Wait();
  EXPECT_TRUE(cancel.found);
  EXPECT_EQ(pages.count, 0);
  gPages = nullptr;
}

}  // namespace
