// Loading, opening and walking back down; the identity lookup; attach; the log lines.
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine_fixture.h"
#include "settings_store.h"
#include "source_lookup.h"

namespace {

TEST_F(ScriptedEngineTest, LoadFromStateOneOpensTheManager) {
  EXPECT_EQ(TWAINLoad(nullptr), 0);
  EXPECT_EQ(nState, 3);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_PARENT, MSG_OPENDSM), 1);
}

TEST_F(ScriptedEngineTest, LoadFromStateThreeOrHigherSendsNothing) {
  OpenSource();
  for (int state : {4, 3}) {
    if (state == 3) {
      ASSERT_EQ(TWAINCloseDS(), 0);
    }
    Forget();
    EXPECT_EQ(TWAINLoad(nullptr), -1) << state;
    EXPECT_TRUE(Requests().empty()) << state;
  }
}

TEST_F(ScriptedEngineTest, RefusedOpenLeavesStateTwoAndTheNextLoadOnlyOpens) {
  ScriptAnswer(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, TWRC_FAILURE, TWCC_BUMMER, 1);
  EXPECT_EQ(TWAINLoad(nullptr), -4);
  EXPECT_EQ(nState, 2);
  Forget();
  EXPECT_EQ(TWAINLoad(nullptr), 0);
  EXPECT_EQ(nState, 3);
  auto log = Requests();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].msg, MSG_OPENDSM);
}

int g_released = 0;
HMODULE LoadReal(const char* name) { return LoadLibraryA(name); }
FARPROC FindNothing(HMODULE, const char*) { return nullptr; }
BOOL CountRelease(HMODULE m) {
  ++g_released;
  return FreeLibrary(m);
}
const DsmLoader kNoEntry = {LoadReal, FindNothing, CountRelease};

TEST_F(ScriptedEngineTest, ManagerWithoutEntryPointIsFreedAndNeverCalled) {
  g_released = 0;
  SetDsmLoader(&kNoEntry);
  EXPECT_NE(TWAINLoad(nullptr), 0);
  EXPECT_EQ(nState, 1);
  EXPECT_EQ(g_released, 1);
  TW_IDENTITY id{};
  EXPECT_EQ(TWAINOpenDS(&id), -3);
  void* block = nullptr;
  TWAINGetValue(ICAP_PIXELTYPE, TWTY_UINT16, &block);
  EXPECT_TRUE(Requests().empty());
  if (block) {
    HGLOBAL h = GlobalHandle(block);
    GlobalUnlock(h);
    GlobalFree(h);
  }
}

TEST_F(ScriptedEngineTest, FreeWalksDownFromStateFive) {
  OpenSource();
  ASSERT_EQ(TWEnableDS(0), 0);
  Forget();
  EXPECT_EQ(TWAINFree(), 0);
  EXPECT_EQ(nState, 1);
  auto log = Requests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].msg, MSG_DISABLEDS);
  EXPECT_EQ(log[1].msg, MSG_CLOSEDS);
  EXPECT_EQ(log[2].msg, MSG_CLOSEDSM);
}

TEST_F(ScriptedEngineTest, FreeDuringATransferLeavesItAlone) {
  OpenSource();
  ASSERT_EQ(TWEnableDS(0), 0);
  for (int state : {6, 7}) {
    nState = state;
    Forget();
    EXPECT_EQ(TWAINFree(), 0);
    EXPECT_EQ(nState, state);
    EXPECT_TRUE(Requests().empty());
  }
  nState = 5;
}

TEST_F(ScriptedEngineTest, GetDsLoadsFirstAndListsEverySource) {
  ScriptAddSource("Second");
  TW_IDENTITY id{};
  std::vector<std::string> names;
  for (int32_t r = TWAINGetDS(MSG_GETFIRST, &id); r == 0; r = TWAINGetDS(MSG_GETNEXT, &id)) {
    names.push_back(id.ProductName);
    EXPECT_STREQ(g_twain.SourceIdentity.ProductName, id.ProductName);
  }
  EXPECT_EQ(nState, 3);
  EXPECT_EQ(names, (std::vector<std::string>{"Scripted Scanner", "Second"}));
}

bool OldPlatform(PlatformVersion* v) {
  *v = {true, 2, 4, 0};
  return true;
}

TEST_F(ScriptedEngineTest, LookupOnOlderPlatformsOpensTheRequestedSource) {
  // The engine's own SourceIdentity is the request here, as in TWAINAcquire.
  ScriptClearSources();
  ScriptAddSource("Alpha");
  ScriptAddSource("Beta");
  SetPlatformVersionQuery(OldPlatform);
  ASSERT_EQ(TWAINLoad(nullptr), 0);
  g_twain.SourceIdentity = {};
  lstrcpyA(g_twain.SourceIdentity.ProductName, "Beta");
  Forget();
  ASSERT_EQ(TWAINOpenDS(&g_twain.SourceIdentity), 0);
  auto log = Requests();
  ASSERT_EQ(Count(log, DAT_IDENTITY, MSG_OPENDS), 1);
  TW_IDENTITY sent{};
  for (const auto& r : log)
    if (r.dat == DAT_IDENTITY && r.msg == MSG_OPENDS) std::memcpy(&sent, r.data, sizeof sent);
  EXPECT_STREQ(sent.ProductName, "Beta");
  EXPECT_EQ(sent.Id, 101u) << "the enumerated identity is the one opened";
  EXPECT_STREQ(g_twain.SourceIdentity.ProductName, "Beta");
}

TEST_F(ScriptedEngineTest, LookupWithoutMatchSendsTheRecordUnchanged) {
  SetPlatformVersionQuery(OldPlatform);
  ASSERT_EQ(TWAINLoad(nullptr), 0);
  TW_IDENTITY id{};
  id.Id = 0;
  lstrcpyA(id.ProductName, "Nobody");
  id.Version.MajorNum = 42;
  Forget();
  EXPECT_NE(TWAINOpenDS(&id), 0);
  auto log = Requests();
  const ScriptedRequest* open = nullptr;
  for (const auto& r : log)
    if (r.dat == DAT_IDENTITY && r.msg == MSG_OPENDS) open = &r;
  ASSERT_NE(open, nullptr);
  TW_IDENTITY sent;
  std::memcpy(&sent, open->data, sizeof sent);
  EXPECT_STREQ(sent.ProductName, "Nobody");
  EXPECT_EQ(sent.Version.MajorNum, 42);
}

TEST(SourceLookupTable, ByPlatform) {
  struct Case {
    PlatformVersion v;
    bool needed;
  } cases[] = {
      {{false, 0, 0, 0}, true},  {{true, 0, 3, 10}, true}, {{true, 1, 4, 0}, true},
      {{true, 1, 4, 10}, true},  {{true, 1, 4, 90}, false}, {{true, 2, 4, 0}, true},
      {{true, 2, 5, 1}, false},  {{true, 2, 10, 0}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SourceLookupNeeded(c.v), c.needed) << c.v.platformId << " " << c.v.major << "." << c.v.minor;
}

TEST_F(ScriptedEngineTest, RegisterFillsTheIdentityAndMakesTheProxyOnce) {
  TWAppInfo info{};
  info.MajorVersion = 0x10002;
  info.MinorVersion = 3;
  lstrcpyA(info.VersionInfo, "2.3");
  lstrcpyA(info.Manufacturer, "Quandrix");
  lstrcpyA(info.ProductName, "Tarnwick");
  TWAINRegister(&info);
  HWND proxy = g_twain.ParentWindow;
  ASSERT_TRUE(IsWindow(proxy));
  char title[64] = {};
  GetWindowTextA(proxy, title, sizeof title);
  EXPECT_STREQ(title, "Zeb library tools Proxy");
  // An owner only: a shown window would take seconds to go where no window manager answers.
  EXPECT_FALSE(IsWindowVisible(proxy));
  TWAINRegister(&info);
  EXPECT_EQ(g_twain.ParentWindow, proxy);
  const TW_IDENTITY& id = g_twain.AppIdentity;
  EXPECT_EQ(id.Version.MajorNum, 2);
  EXPECT_EQ(id.Version.MinorNum, 3);
  EXPECT_EQ(id.Version.Language, 37);
  EXPECT_EQ(id.Version.Country, 1);
  EXPECT_EQ(id.ProtocolMajor, 1);
  EXPECT_EQ(id.ProtocolMinor, 9);
  EXPECT_EQ(id.SupportedGroups, 3u);
  EXPECT_STREQ(id.ProductFamily, "Zeb library tools");
  EXPECT_STREQ(id.ProductName, "Tarnwick");
  DestroyWindow(proxy);
}

TEST_F(ScriptedEngineTest, RegisterWithAWindowMakesNone) {
  HWND own = CreateWindowA("STATIC", "own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  TWAINLoad(own);
  TWAppInfo info{};
  TWAINRegister(&info);
  EXPECT_EQ(g_twain.ParentWindow, own);
  TWAINFree();
  DestroyWindow(own);
}

TEST_F(ScriptedEngineTest, AttachWritesTargetTest) {
  char text[16] = {};
  EXPECT_EQ(ReadSetting(kGeneralKey, "TargetTest", text, kSettingString, sizeof text), 0);
  EXPECT_STREQ(text, "Ok");
}

TEST_F(ScriptedEngineTest, LogShowsEntryAndExitLinesAtLevelTwo) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string folder = std::string(tmp) + "wexlo_log\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA((folder + "ondrel.txt").c_str());
  WriteSettingString(kGeneralKey, "SAVEPATH", folder.c_str());
  WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 2);
  TWAINLoad(nullptr);
  WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 0);
  std::ifstream f(folder + "ondrel.txt", std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  std::string text = ss.str();
  EXPECT_NE(text.find("In   1: TWAINLoad - nState : 1 \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Out  1: TWAINLoad : 0 \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("1: nState : 3 \r\n"), std::string::npos) << text;
}

}  // namespace
