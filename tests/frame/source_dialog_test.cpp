// The source list dialog, driven from a second thread as an operator would: the dialog runs
// modally inside ZebSelectSource on the test's own thread.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialog_operator.h"
#include "pavlot_client.h"
#include "source_operator.h"

namespace {

using SourceDialog = FrameClientTest;

TEST_F(SourceDialog, OperatorPicksAnotherMakersSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  Operator op;
  bool pictured = false;
  op.Run([&pictured](HWND dlg) {
    Pick(dlg, 1);
    pictured = KeepDialogScreen(dlg, "library_source_dialog.png");
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebSelectSource(), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_TRUE(pictured);
  ASSERT_EQ(op.entries.size(), 2u);
  EXPECT_EQ(op.entries[0], "Quandrix - ZS-3000 Duplex      1.04");
  EXPECT_FALSE(op.okEnabledAtStart);  // no stored source: nothing selected, OK disabled
  EXPECT_EQ(StoredText("SOURCENAME"), "Quandrix - ZS-1200 Flatbed     2.10");
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
}

TEST_F(SourceDialog, CancelKeepsTheStoredSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  StoreText("SOURCENAME", "Quandrix - ZS-3000 Duplex      1.04");
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  Operator op;
  op.Run([](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(pavlot.ZebSelectSource(), 0);
  op.Wait();
  EXPECT_TRUE(op.okEnabledAtStart);  // the stored source is selected
  DWORD kind = 0;
  if (StoredInt("SOURCE", &kind)) EXPECT_EQ(kind, 0u);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
}

TEST_F(SourceDialog, CancelWithNoSourceChosenAnswersNoSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  StoreInt("SOURCE", DWORD(-1));
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), -10);
  Operator op;
  op.Run([](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(pavlot.ZebSelectSource(), -10);
  op.Wait();
  EXPECT_TRUE(op.found);
}

TEST_F(SourceDialog, ChoosingATwainSourceAfterAFailedStartStartsTheEngine) {
  Provide({"pavlot.dll", "fixtures/wexlo_full/wexlo.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), -10);  // no zebdrv.dll
  Operator op;
  op.Run([](HWND dlg) {
    Pick(dlg, 0);
    Press(dlg, IDOK);
  });
  int32_t rc = pavlot.ZebSelectSource();
  op.Wait();
  EXPECT_NE(rc, -10);
  ASSERT_EQ(op.entries, std::vector<std::string>{"Fixture TWAIN Scanner"});
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 1u);
  EXPECT_TRUE(IsLoaded("wexlo.dll"));
}

TEST_F(SourceDialog, SetupShowsTheMakersSourceInformation) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  std::vector<std::string> info;
  Operator op;
  op.Run([&info](HWND dlg) {
    Pick(dlg, 0);
    Press(dlg, kSetup);
    if (HWND box = WaitForWindow("Quandrix - ZS-3000 Duplex      1.04")) {
      info = ListLines(box, kInfoList);
      KeepDialogScreen(box, "library_source_information.png");
      Press(box, IDOK);
      for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
    }
    Press(dlg, IDCANCEL);
  });
  pavlot.ZebSelectSource();
  op.Wait();
  ASSERT_GE(info.size(), 11u);
  EXPECT_EQ(info[0], "Manufacturer: Quandrix");
  EXPECT_EQ(info[1], std::string("Model Name: ZS-3000 Duplex      1.04").substr(0, 27));
  EXPECT_EQ(info[2], "F/W Version: 1.04");
  EXPECT_EQ(info[3], "Driver Version: 2.3.0");
  EXPECT_EQ(info[5], "SCSI Adapter: Simulated SCSI Adapter");
  EXPECT_EQ(info[6], "SCSI ID: 3");
  EXPECT_EQ(info[9], "PAVLOT Version: 1.0.0.1");
  EXPECT_EQ(info[10].rfind("Copyright (C) Quandrix", 0), 0u);
}

}  // namespace
