// Enabling the source and the TWAIN message loop on the caller's thread.
#include "connection.h"

extern uint32_t g_pageFileCounter;

namespace {

// A source that cannot hide its own window answers CHECKSTATUS and is enabled all the same.
bool EnabledDespiteCode(int32_t code) {
  return code == 0 || g_twain.lastReturnCode == TWRC_CHECKSTATUS;
}

int32_t EnableWith(const char* name, TW_UINT16 msg, TW_UINT16 showUI) {
  EngineLogIn(name, nState);
  int32_t result = -3;
  if (nState == 4) {
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUI;
    ui.ModalUI = 0;
    ui.hParent = g_twain.ParentWindow;
    result = CallDSMEntry(DG_CONTROL, DAT_USERINTERFACE, msg, &ui);
    if (EnabledDespiteCode(result)) {
      result = 0;
      nState = 5;
    }
  }
  EngineLogOut(name, result);
  EngineLogState();
  return result;
}

int32_t Acquire(const char* inName, const char* outName, bool uiOnly, TWAcquireCallback fn,
                void* data) {
  EngineLogIn(inName, nState);
  // Only a connection that is broken is started again; a value the source refused is no reason
  // to close the source and lose every value just pushed.
  if (g_twain.connectionBroken) {
    TWAINFree();
    g_twain.connectionBroken = false;
  }
  g_twain.LastResult = 0;
  g_pageFileCounter = 1;
  int32_t result = 0;
  if (nState < 3) {
    int32_t loaded = TWAINLoad(g_twain.ParentWindow);
    if (nState == 3) {
      if (loaded != 0)
        result = -3;
      else
        result = TWAINOpenDS(&g_twain.SourceIdentity);
    } else {
      result = -3;
    }
  } else if (nState == 3) {
    result = TWAINOpenDS(&g_twain.SourceIdentity);
  }
  if (nState == 4 && result == 0) {
    result = uiOnly ? TWEnableDSUIOnly() : TWEnableDS(g_twain.UIControl);
    if (result == 0) {
      result = PumpTWMessages(fn, data);
    } else {
      int32_t enableCode = result;
      if (TWAINCloseDS() == 0) TWAINFree();
      result = enableCode;
    }
  } else if (result == 0) {
    result = -3;
  }
  EngineLogOut(outName, result);
  EngineLogState();
  return result;
}

}  // namespace

int32_t TWEnableDS(TW_UINT16 showUI) { return EnableWith("TWEnableDS", MSG_ENABLEDS, showUI); }

int32_t TWEnableDSUIOnly() { return EnableWith("TWEnableDSUIOnly", MSG_ENABLEDSUIONLY, 1); }

void AbandonSource() {
  EngineLogIn("AbandonSource", nState);
  g_twain.imageInfo = {};
  const int32_t closed =
      CallDSMEntry(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g_twain.SourceIdentity);
  nState = 3;
  if (closed == 0) g_twain.SourceIdentity.Id = 0;
  else TWAINFree();
  EngineLogOut("AbandonSource", closed);
  EngineLogState();
}

int32_t TWDisableDS() {
  EngineLogIn("TWDisableDS", nState);
  g_twain.imageInfo = {};
  int32_t result = -3;
  if (nState == 5) {
    TW_USERINTERFACE ui{};
    ui.ShowUI = 255;
    ui.ModalUI = 0;
    ui.hParent = g_twain.ParentWindow;
    result = CallDSMEntry(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    if (result == 0) nState = 4;
  }
  EngineLogOut("TWDisableDS", result);
  EngineLogState();
  return result;
}

extern "C" int32_t __stdcall TWAINAcquire(TWAcquireCallback fn, void* data) {
  return Acquire("TWAINAcquire", "TWAINAcquire", false, fn, data);
}

extern "C" int32_t __stdcall TWAINAcquireUIOnly(TWAcquireCallback fn, void* data) {
  return Acquire("TWAINAcquireUIOnly - nState", "TWAINAcquireUIOnly", true, fn, data);
}

int32_t PumpTWMessages(TWAcquireCallback fn, void* data) {
  EngineLogIn("PumpTWMessages", nState);
  int32_t result = 0;
  while (nState >= 5) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT belongs to the caller's own loop: hand it back and stop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    result = ProcessTWMessage(&msg, fn, data);
    if (result != 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  EngineLogOut("PumpTWMessages", result);
  return result;
}

int32_t ProcessTWMessage(MSG* message, TWAcquireCallback fn, void* data) {
  EngineLogIn("ProcessTWMessage", nState);
  TW_EVENT event{};
  event.pEvent = message;
  event.TWMessage = MSG_NULL;
  int32_t r = CallDSMEntry(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  int32_t result = r;
  if (event.TWMessage == MSG_XFERREADY) {
    if (nState != 5) {
      result = -3;
    } else {
      nState = 6;
      switch (g_twain.TransferMechanism) {
        case 1: result = DoNativeTransfer(fn, data); break;
        case 2: result = DoFileTransfer(fn, data); break;
        default: result = DoMemTransfer(fn, data); break;
      }
      if (result != 0) {
        if (nState == 7) {
          CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &g_twain.pending);
          nState = 6;
        }
        if (nState == 6) {
          CallDSMEntry(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &g_twain.pending);
          nState = 5;
        }
        // A source left enabled after a failed scan would keep the loop waiting for ever.
        if (nState == 5 && TWDisableDS() != 0) AbandonSource();
      }
    }
  } else if (event.TWMessage == MSG_CLOSEDSREQ || event.TWMessage == MSG_CLOSEDSOK) {
    result = TWDisableDS();
    if (result == 0) result = TWAINCloseDS();
    if (result == 0) result = TWAINFree();
    // A source that asked to be closed and then refuses it is closed all the same.
    if (nState >= 4) AbandonSource();
  }
  EngineLogOut("ProcessTWMessage", result);
  EngineLogState();
  return result;
}
