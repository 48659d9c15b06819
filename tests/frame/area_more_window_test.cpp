// The scan-area and "More" dialogs, opened from the scanner settings dialog by an operator on a
// second thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings_window_fixture.h"
#include "win_driver.h"

namespace {

constexpr int kUnitInch = 1120, kUnitPixel = 1122, kAreaX = 1102, kAreaWidth = 1106, kFrame = 1109;
constexpr int kRed = 1203, kBlackBack = 1208, kLamp = 1210, kSharpen = 1218, kDescreen = 1221;
constexpr const char* kAreaCaption = "Scan area setting...";
constexpr const char* kMoreCaption = "More setting...";

// Opens a dialog from the settings dialog's button, acts in it, and waits until it is closed.
void InDialog(HWND settings, int button, const char* caption, const std::function<void(HWND)>& act) {
  Press(settings, button);
  HWND dlg = WaitForWindow(caption);
  if (!dlg) return;
  Sleep(100);
  act(dlg);
  for (int i = 0; i < 100 && IsWindow(dlg); ++i) Sleep(20);
}

// Where the area dialog draws the area: its preview inside the etched frame, as wide and long
// as the scanner's 8.5 x 14 inch, at the scale that fits both.
RECT ExpectedArea(HWND dlg, int x, int y, int width, int length) {
  RECT window, frame;
  GetWindowRect(dlg, &window);
  GetWindowRect(GetDlgItem(dlg, kFrame), &frame);
  HDC dc = GetDC(dlg);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(dlg, dc);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int left = frame.left - window.left + tm.tmMaxCharWidth + 7;
  const int top = frame.top - window.top + tm.tmHeight - caption + 3;
  const int right = frame.right - window.left - 5;
  const int bottom = frame.bottom - window.top - caption - 6;
  const double s = std::min((bottom - top) * 300.0 / 4200, (right - left) * 300.0 / 2550) / 300.0;
  return RECT{left + static_cast<int>(x * s), top + static_cast<int>(y * s),
              left + static_cast<int>((x + width) * s + 0.5), top + static_cast<int>((y + length) * s + 0.5)};
}

// Dark pixels of a column (or row) band of the shot, within [from, to) along it.
int DarkInColumns(const ClientShot& shot, int x0, int x1, int from, int to) {
  int n = 0;
  for (int x = x0; x <= x1; ++x)
    for (int y = from; y < to; ++y) n += shot.Dark(x, y) ? 1 : 0;
  return n;
}
int DarkInRows(const ClientShot& shot, int y0, int y1, int from, int to) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = from; x < to; ++x) n += shot.Dark(x, y) ? 1 : 0;
  return n;
}

TEST_F(SettingsWindow, TypedAreaIsKeptOnTheDeviceAndOkStoresIt) {
  Start(true);
  std::string x, width, xPixels, widthPixels;
  ClientShot shot;
  RECT expected{}, full{};
  DialogOperator op;
  op.Run(kCaption, [&](HWND settings) {
    InDialog(settings, kArea, kAreaCaption, [&](HWND area) {
      full = ExpectedArea(area, 0, 0, 2550, 3300);
      Click(area, kUnitInch);
      Type(area, kAreaX, "9");
      x = TextOf(area, kAreaX);
      Leave(area, kAreaX, EN_KILLFOCUS);
      x = TextOf(area, kAreaX);
      width = TextOf(area, kAreaWidth);
      shot = TakeClientShot(area);
      KeepDialogScreen(area, "library_area_dialog.png");
      expected = ExpectedArea(area, 2550 - 64, 0, 64, 3300);
      Click(area, kUnitPixel);
      xPixels = TextOf(area, kAreaX);
      widthPixels = TextOf(area, kAreaWidth);
      Press(area, IDOK);
    });
    Press(settings, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(x, "8.29");  // 8.5 inch less 64/300
  EXPECT_EQ(width, "0.21");
  EXPECT_EQ(xPixels, "2486.00");
  EXPECT_EQ(widthPixels, "64.00");
  EXPECT_EQ(GetFloat(0x9500), 2486.0f);
  EXPECT_EQ(GetFloat(0x9503), 64.0f);
  EXPECT_EQ(ScanData("PAGESIZE"), "0");  // a typed area is a custom size

  // The dotted rectangle's edges lie on the area's place (within 2 pixels); the preview left of
  // it, where the whole page was, is empty.
  ASSERT_GT(shot.width, 0);
  const int rows = expected.bottom - expected.top;
  EXPECT_GT(DarkInColumns(shot, expected.left - 2, expected.left + 2, expected.top + 3, expected.bottom - 3), rows / 4);
  EXPECT_GT(DarkInColumns(shot, expected.right - 3, expected.right + 1, expected.top + 3, expected.bottom - 3), rows / 4);
  EXPECT_GT(DarkInRows(shot, expected.bottom - 3, expected.bottom + 1, expected.left, expected.right), 0);
  const int middle = (full.left + expected.left) / 2;
  EXPECT_EQ(DarkInColumns(shot, middle - 3, middle + 3, expected.top + 3, expected.bottom - 3), 0);
  EXPECT_EQ(DarkInRows(shot, (full.top + full.bottom) / 2 - 3, (full.top + full.bottom) / 2 + 3, full.left + 3,
                       expected.left - 3), 0);
}

TEST_F(SettingsWindow, CancelledAreaKeepsTheOldOne) {
  Start(true);
  const float x = GetFloat(0x9500), width = GetFloat(0x9503);
  DialogOperator op;
  op.Run(kCaption, [&](HWND settings) {
    InDialog(settings, kArea, kAreaCaption, [&](HWND area) {
      Type(area, kAreaX, "900");
      Press(area, IDCANCEL);
    });
    Press(settings, IDOK);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(GetFloat(0x9500), x);
  EXPECT_EQ(GetFloat(0x9503), width);
}

using KSGetValueProc = int32_t(__stdcall*)(int32_t, int32_t, void*);

TEST_F(SettingsWindow, MoreStoresAtOnceAndTellsTheDriver) {
  Start(true);
  ASSERT_EQ(Set16(0x9009, 0), 0);  // the lamp stays on
  DialogOperator op;
  op.Run(kCaption, [&](HWND settings) {
    InDialog(settings, kMore, kMoreCaption, [&](HWND more) {
      Click(more, kRed);
      Click(more, kBlackBack);
      Click(more, kLamp);
      Press(more, IDOK);
    });
    Press(settings, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_EQ(ScanData("FILTER"), "1");
  EXPECT_EQ(ScanData("BACKGROUND"), "1");
  EXPECT_EQ(ScanData("ENERGYSAVING"), "1");
  auto ksGet = reinterpret_cast<KSGetValueProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("zebdrv.dll"), "KSGetValue")));
  ASSERT_NE(ksGet, nullptr);
  int16_t energy = -1;
  ksGet(0x9009, 0x8010, &energy);
  EXPECT_EQ(energy, 1);
}

// A scroll request as the bar's arrows and ends make it.
void ScrollBar(HWND dlg, int bar, int request) {
  SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(request, 0), reinterpret_cast<LPARAM>(GetDlgItem(dlg, bar)));
}

TEST_F(SettingsWindow, SharpenLevelIsTheSlidersWhenTheBoxIsOn) {
  Start(true);
  ASSERT_EQ(Set16(0x9202, 1), 0);  // gray
  std::string level;
  bool barBefore = true, barAfter = false;
  DialogOperator op;
  op.Run(kCaption, [&](HWND settings) {
    InDialog(settings, kMore, kMoreCaption, [&](HWND more) {
      barBefore = Enabled(more, kSharpen + 1);
      Click(more, kSharpen);
      barAfter = Enabled(more, kSharpen + 1);
      ScrollBar(more, kSharpen + 1, SB_RIGHT);
      level = TextOf(more, kSharpen + 2);
      Press(more, IDOK);
    });
    Press(settings, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_FALSE(barBefore);
  EXPECT_TRUE(barAfter);
  EXPECT_EQ(level, "2");  // SHARPEN offers 0, 1 and 2
  EXPECT_EQ(ScanData("SHARPEN"), "2");
}

TEST_F(SettingsWindow, BlackAndWhiteHasNoSharpenOrDescreen) {
  Start(true);
  ASSERT_EQ(Set16(0x9303, 2), 0);
  bool sharpen = true, descreen = true, shot = false;
  DialogOperator op;
  op.Run(kCaption, [&](HWND settings) {
    InDialog(settings, kMore, kMoreCaption, [&](HWND more) {
      sharpen = Enabled(more, kSharpen);
      descreen = Enabled(more, kDescreen);
      shot = KeepDialogScreen(more, "library_more_dialog.png");
      Press(more, IDOK);
    });
    Press(settings, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_TRUE(shot);
  EXPECT_FALSE(sharpen);
  EXPECT_FALSE(descreen);
  EXPECT_EQ(ScanData("SHARPEN"), "0");
  EXPECT_EQ(ScanData("DESCREEN"), "0");
}

// Every visible control lies whole inside the dialog's client area and no text is cut; the
// lines name the controls that are not.
std::vector<std::string> ControlsNotShown(HWND dlg) {
  std::vector<std::string> bad = windriver::CutTexts(dlg);
  RECT client;
  GetClientRect(dlg, &client);
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
      bad.push_back(std::to_string(GetDlgCtrlID(c)) + " outside the dialog");
  }
  return bad;
}

// The small-screen run (a screen narrower than 1024 pixels, tools started it on an 800x600
// display, with large fonts for the tall-text templates): the settings, area and More dialogs
// come up from their small templates with every control whole; pictures kept. Skipped on a
// wider screen.
TEST_F(SettingsWindow, SmallScreenTemplatesShowEveryControl) {
  if (GetSystemMetrics(SM_CXSCREEN) >= 1024) GTEST_SKIP() << "the screen is 1024 pixels wide or more";
  HDC screen = GetDC(nullptr);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  ReleaseDC(nullptr, screen);
  const std::string kind = tm.tmHeight > 16 ? "800x600_special" : "800x600";
  Start(true);
  std::vector<std::string> settings, area, more;
  bool kept = true;
  DialogOperator op;
  op.Run(kCaption, [&](HWND dlg) {
    settings = ControlsNotShown(dlg);
    kept = windriver::SaveWindowPicture(dlg, PicturesFolder() + "settings_dialog_" + kind + ".png") && kept;
    InDialog(dlg, kArea, kAreaCaption, [&](HWND a) {
      area = ControlsNotShown(a);
      kept = windriver::SaveWindowPicture(a, PicturesFolder() + "area_dialog_" + kind + ".png") && kept;
      Press(a, IDCANCEL);
    });
    InDialog(dlg, kMore, kMoreCaption, [&](HWND m) {
      more = ControlsNotShown(m);
      kept = windriver::SaveWindowPicture(m, PicturesFolder() + "more_dialog_" + kind + ".png") && kept;
      Press(m, IDCANCEL);
    });
    Press(dlg, IDCANCEL);
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.Wait();
  ASSERT_TRUE(op.found) << kind;
  EXPECT_TRUE(kept);
  EXPECT_EQ(settings, std::vector<std::string>{}) << kind;
  EXPECT_EQ(area, std::vector<std::string>{}) << kind;
  EXPECT_EQ(more, std::vector<std::string>{}) << kind;
}

}  // namespace
