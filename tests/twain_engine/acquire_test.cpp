// TWAINAcquire: enabling, the message loop, close requests, and when a connection is restarted.
#include <cstring>

#include "engine_fixture.h"

namespace {

int32_t g_calls = 0;
int32_t __stdcall CountingCallback(void*, uint32_t* q, int32_t code) {
  ++g_calls;
  if (code == 2 && q) *q = 4096;
  return 0;
}

// Wakes the loop once so that the scripted manager can hand out its queued event.
void Nudge() { PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0); }

TEST_F(ScriptedEngineTest, QuitDuringTheLoopIsHandedBackToTheCaller) {
  PostQuitMessage(7);
  EXPECT_EQ(TWAINAcquire(CountingCallback, nullptr), 0);
  EXPECT_EQ(nState, 5);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ScriptedEngineTest, CloseRequestDuringTheLoopEndsInStateOne) {
  ScriptQueueEvent(MSG_CLOSEDSREQ);
  Nudge();
  EXPECT_EQ(TWAINAcquire(CountingCallback, nullptr), 0);
  EXPECT_EQ(nState, 1);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_USERINTERFACE, MSG_DISABLEDS), 1);
  EXPECT_EQ(Count(log, DAT_IDENTITY, MSG_CLOSEDS), 1);
  EXPECT_EQ(Count(log, DAT_PARENT, MSG_CLOSEDSM), 1);
}

TEST_F(ScriptedEngineTest, EnableSendsUIControlAsShowUI) {
  uint32_t one = 1;
  OpenSource();
  TWAINSetValue(0x9050, TWON_ONEVALUE, &one);
  HWND parent = g_twain.ParentWindow;
  Forget();
  PostQuitMessage(0);
  TWAINAcquire(CountingCallback, nullptr);
  auto log = Requests();
  ASSERT_EQ(Count(log, DAT_USERINTERFACE, MSG_ENABLEDS), 1);
  TW_USERINTERFACE ui;
  for (const auto& r : log)
    if (r.dat == DAT_USERINTERFACE) std::memcpy(&ui, r.data, sizeof ui);
  EXPECT_EQ(ui.ShowUI, 1);
  EXPECT_EQ(ui.ModalUI, 0);
  EXPECT_EQ(ui.hParent, parent);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ScriptedEngineTest, SourceThatCannotHideItsWindowIsEnabled) {
  OpenSource();
  ScriptAnswer(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_CHECKSTATUS, 0, 1);
  EXPECT_EQ(TWEnableDS(0), 0);
  EXPECT_EQ(nState, 5);
}

TEST_F(ScriptedEngineTest, FailedEnableClosesAndEndsTheConnection) {
  ScriptAnswer(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TWRC_FAILURE, TWCC_OPERATIONERROR, 1);
  EXPECT_EQ(TWAINAcquire(CountingCallback, nullptr), -4);
  EXPECT_EQ(nState, 1);
}

TEST_F(ScriptedEngineTest, UIOnlyEnablesWithItsOwnMessage) {
  OpenSource();
  Forget();
  PostQuitMessage(0);
  TWAINAcquireUIOnly(CountingCallback, nullptr);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY), 1);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ScriptedEngineTest, RefusedValueKeepsTheSourceOpenForTheNextAcquire) {
  OpenSource();
  ScriptAnswer(DG_CONTROL, DAT_CAPABILITY, MSG_SET, TWRC_FAILURE, TWCC_BADVALUE, 1);
  uint32_t v = 12345;
  EXPECT_EQ(TWAINSetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &v), -8);
  Forget();
  PostQuitMessage(0);
  TWAINAcquire(CountingCallback, nullptr);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_IDENTITY, MSG_CLOSEDS), 0);
  EXPECT_EQ(Count(log, DAT_IDENTITY, MSG_OPENDS), 0);
  EXPECT_EQ(Count(log, DAT_USERINTERFACE, MSG_ENABLEDS), 1);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ScriptedEngineTest, BrokenConnectionStartsAgainFromStateOne) {
  OpenSource();
  ScriptAnswer(DG_CONTROL, DAT_CAPABILITY, MSG_SET, TWRC_FAILURE, TWCC_CHECKDEVICEONLINE, 1);
  uint32_t v = 300;
  EXPECT_EQ(TWAINSetValue(ICAP_XRESOLUTION, TWON_ONEVALUE, &v), -13);
  Forget();
  PostQuitMessage(0);
  TWAINAcquire(CountingCallback, nullptr);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_IDENTITY, MSG_CLOSEDS), 1);
  EXPECT_EQ(Count(log, DAT_PARENT, MSG_CLOSEDSM), 1);
  EXPECT_EQ(Count(log, DAT_PARENT, MSG_OPENDSM), 1);
  EXPECT_EQ(Count(log, DAT_IDENTITY, MSG_OPENDS), 1);
  EXPECT_EQ(nState, 5);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ScriptedEngineTest, XferReadyOutsideStateFiveIsASequenceError) {
  OpenSource();
  ScriptQueueEvent(MSG_XFERREADY);
  MSG msg{};
  EXPECT_EQ(ProcessTWMessage(&msg, CountingCallback, nullptr), -3);
  EXPECT_EQ(nState, 4);
}

TEST_F(ScriptedEngineTest, NativeTransferOfTwoPagesReachesTheCallback) {
  TW_IMAGEINFO info{};
  info.XResolution.Whole = 200;
  info.YResolution.Whole = 200;
  info.ImageWidth = 16;
  info.ImageLength = 4;
  info.BitsPerPixel = 8;
  info.SamplesPerPixel = 1;
  info.PixelType = TWPT_GRAY;
  ScriptPages(2, &info, 64);
  uint32_t native = 0;
  OpenSource();
  TWAINSetValue(ICAP_XFERMECH, TWON_ONEVALUE, &native);
  ScriptQueueEvent(MSG_XFERREADY);
  Nudge();
  g_calls = 0;
  HGLOBAL dib = nullptr;
  EXPECT_EQ(TWAINAcquire(CountingCallback, &dib), 0);
  EXPECT_EQ(g_calls, 4) << "image information and the image, twice";
  EXPECT_EQ(nState, 4);
  ASSERT_NE(dib, nullptr);
  GlobalFree(dib);
}

}  // namespace
