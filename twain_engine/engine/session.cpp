// Loading and opening the data source manager and the source, and walking back down.
#include <cstring>

#include "connection.h"
#include "source_lookup.h"

extern "C" int32_t __stdcall TWAINLoad(HWND parent) {
  EngineLogIn("TWAINLoad - nState", nState);
  g_twain.ParentWindow = parent;
  int32_t result = 0;
  if (nState >= 3) {
    result = -1;
  } else {
    if (nState < 2) {
      g_twain.AppIdentity.Id = 0;
      const DsmLoader& loader = CurrentDsmLoader();
      HMODULE module = loader.load("twain_32.dll");
      FARPROC entry = module ? loader.find(module, "DSM_Entry") : nullptr;
      if (module && entry) {
        g_twain.dsm = module;
        g_twain.dsmEntry = reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(entry));
        nState = 2;
      } else {
        // A module without the manager's entry point is of no use: nothing may call into it.
        if (module) loader.release(module);
        result = -10;
      }
    }
    if (nState == 2 && g_twain.dsmEntry) {
      result = CallDSMEntry(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &g_twain.ParentWindow);
      if (result == 0) nState = 3;
    }
  }
  PrepareBatchReading();
  EngineLogOut("TWAINLoad", result);
  EngineLogState();
  return result;
}

extern "C" int32_t __stdcall TWAINFree() {
  EngineLogIn("TWAINCloseDSM", nState);
  int32_t result = 0;
  if (nState == 5) result = TWDisableDS();
  if (nState == 4) result = TWAINCloseDS();
  if (nState == 3) {
    result = CallDSMEntry(DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &g_twain.ParentWindow);
    nState = 2;
  }
  if (nState == 2) {
    if (g_twain.dsm) CurrentDsmLoader().release(g_twain.dsm);
    g_twain.dsm = nullptr;
    g_twain.dsmEntry = nullptr;
    g_twain.SourceIdentity.Id = 0;
    nState = 1;
  }
  // A transfer in states 6 and 7 may still be using the ring.
  if (nState < 6) ReleaseBatchReading();
  EngineLogOut("TWAINCloseDSM", result);
  EngineLogState();
  return result;
}

extern "C" int32_t __stdcall TWAINRegister(const TWAppInfo* info) {
  EngineLogIn("TWAINRegister", nState);
  if (!IsWindow(g_twain.ParentWindow) && IsWindow(g_twain.proxyWindow)) {
    g_twain.ParentWindow = g_twain.proxyWindow;  // made before: one is enough
  } else if (!IsWindow(g_twain.ParentWindow)) {
    // Hidden: the source only needs an owner, and a shown window costs seconds to take down
    // where no window manager answers its withdrawal.
    g_twain.ParentWindow = CreateWindowA("STATIC", "Zeb library tools Proxy",
                                         WS_POPUPWINDOW, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                         nullptr, g_twain.instance, nullptr);
    g_twain.proxyWindow = g_twain.ParentWindow;
  }
  if (info) {
    TW_IDENTITY& id = g_twain.AppIdentity;
    id.Version.MajorNum = static_cast<TW_UINT16>(info->MajorVersion);
    id.Version.MinorNum = static_cast<TW_UINT16>(info->MinorVersion);
    id.Version.Language = 37;
    id.Version.Country = TWCY_USA;
    lstrcpynA(id.Version.Info, info->VersionInfo, sizeof id.Version.Info);
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 9;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    lstrcpynA(id.Manufacturer, info->Manufacturer, sizeof id.Manufacturer);
    lstrcpynA(id.ProductFamily, "Zeb library tools", sizeof id.ProductFamily);
    lstrcpynA(id.ProductName, info->ProductName, sizeof id.ProductName);
  }
  EngineLogOut("TWAINRegister", 0);
  return 0;
}

namespace {

bool RealPlatformVersion(PlatformVersion* v) {
  OSVERSIONINFOEXA ex{};
  ex.dwOSVersionInfoSize = sizeof ex;
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
    *v = {true, ex.dwPlatformId, ex.dwMajorVersion, ex.dwMinorVersion};
    return true;
  }
  OSVERSIONINFOA basic{};
  basic.dwOSVersionInfoSize = sizeof basic;
  if (GetVersionExA(&basic)) {
    *v = {true, basic.dwPlatformId, basic.dwMajorVersion, basic.dwMinorVersion};
    return true;
  }
  return false;
}

PlatformVersionQuery g_versionQuery = RealPlatformVersion;

}  // namespace

PlatformVersionQuery SetPlatformVersionQuery(PlatformVersionQuery query) {
  PlatformVersionQuery old = g_versionQuery;
  g_versionQuery = query ? query : RealPlatformVersion;
  return old;
}

bool NeedsSourceLookup() {
  EngineLogIn("NeedsSourceLookup", -1);
  PlatformVersion v{};
  if (!g_versionQuery(&v)) v.known = false;
  bool needed = SourceLookupNeeded(v);
  EngineLogOut("NeedsSourceLookup", needed ? 1 : 0);
  return needed;
}

extern "C" int32_t __stdcall TWAINOpenDS(TW_IDENTITY* identity) {
  EngineLogInText("TWOpenDS", identity ? identity->ProductName : "");
  g_twain.imageInfo = {};
  int32_t result = -3;
  if (nState == 3 && identity) {
    if (NeedsSourceLookup()) {
      // The caller's record may be SourceIdentity itself, which every enumeration step
      // overwrites: keep the request apart and enumerate into a record of our own.
      const TW_IDENTITY requested = *identity;
      bool matched = false;
      g_twain.SourceIdentity.Id = 0;
      TW_IDENTITY found{};
      for (int32_t r = TWAINGetDS(MSG_GETFIRST, &found); r == 0;
           r = TWAINGetDS(MSG_GETNEXT, &found)) {
        if (std::strncmp(found.ProductName, requested.ProductName, sizeof found.ProductName) ==
            0) {
          *identity = found;
          matched = true;
          break;
        }
        found = {};
      }
      if (!matched) *identity = requested;
    }
    result = CallDSMEntry(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, identity);
    if (result == 0) {
      nState = 4;
      g_twain.SourceIdentity = *identity;
    }
  }
  EngineLogOut("TWOpenDS", result);
  EngineLogState();
  return result;
}

extern "C" int32_t __stdcall TWAINCloseDS() {
  EngineLogIn("TWAINCloseDS", nState);
  int32_t result = -3;
  if (nState == 4) {
    result = CallDSMEntry(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &g_twain.SourceIdentity);
    if (result == 0) {
      nState = 3;
      g_twain.SourceIdentity.Id = 0;
    }
  }
  EngineLogOut("TWAINCloseDS", result);
  EngineLogState();
  return result;
}

extern "C" int32_t __stdcall TWAINGetDS(uint32_t message, TW_IDENTITY* identity) {
  EngineLogIn("TWSelectDS", nState);
  int32_t result = -3;
  if (nState < 3) TWAINLoad(g_twain.ParentWindow);
  if (nState >= 3 && identity) {
    result = CallDSMEntry(DG_CONTROL, DAT_IDENTITY, static_cast<TW_UINT16>(message), identity);
    // With a source open, SourceIdentity names it and must stay.
    if (result == 0 && nState == 3) g_twain.SourceIdentity = *identity;
  }
  EngineLogOut("TWSelectDS", result);
  EngineLogState();
  return result;
}
