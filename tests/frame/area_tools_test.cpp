// The scan-area dialog in process, its template linked into this program: whatever it draws
// with is deleted when it closes.
#include <gtest/gtest.h>

#include <thread>

#include "area_dialog_window.h"
#include "area_paint_tools.h"

namespace {

TEST(AreaDialogWindow, EveryOpeningDeletesItsPenAndBrush) {
  for (int round = 0; round < 3; ++round) {
    int aliveWhileOpen = -1;
    std::thread op([&aliveWhileOpen] {
      for (int i = 0; i < 200; ++i) {
        HWND dlg = FindWindowA("#32770", "Scan area setting...");
        if (dlg && IsWindowVisible(dlg)) {
          aliveWhileOpen = AreaPaintTools::Alive();
          PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
          return;
        }
        Sleep(50);
      }
    });
    DialogWorkRecord work;
    work.width = 2550;
    work.length = 3300;
    work.maxWidth = 2550;
    work.maxLength = 4200;
    bool accepted = true;
    EXPECT_EQ(ShowAreaDialog(nullptr, &work, &accepted), 0);
    op.join();
    EXPECT_FALSE(accepted);
    EXPECT_EQ(aliveWhileOpen, 1);
    EXPECT_EQ(AreaPaintTools::Alive(), 0);
  }
}

}  // namespace
