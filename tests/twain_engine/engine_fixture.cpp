#include "engine_fixture.h"

#include <shlwapi.h>

void ScriptedEngineTest::SetUp() {
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  ScriptReset();
  ForgetConnection();
  SetDsmLoader(nullptr);
  SetPlatformVersionQuery(nullptr);
  EngineAttach(GetModuleHandleA(nullptr));
  seen_ = 0;
  MSG msg;  // nothing a previous test left in the thread's queue
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void ScriptedEngineTest::TearDown() {
  if (nState < 6) TWAINFree();
  ForgetConnection();
  SetDsmLoader(nullptr);
  SetPlatformVersionQuery(nullptr);
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
}

std::vector<ScriptedRequest> ScriptedEngineTest::Requests() {
  std::vector<ScriptedRequest> out;
  uint32_t n = ScriptRequestCount();
  for (uint32_t i = seen_; i < n; ++i) {
    ScriptedRequest r;
    ScriptRequest(i, &r);
    out.push_back(r);
  }
  seen_ = n;
  return out;
}

void ScriptedEngineTest::Forget() { seen_ = ScriptRequestCount(); }

void ScriptedEngineTest::OpenSource() {
  ASSERT_EQ(TWAINLoad(nullptr), 0);
  TW_IDENTITY id{};
  lstrcpyA(id.ProductName, "Scripted Scanner");
  ASSERT_EQ(TWAINOpenDS(&id), 0);
  ASSERT_EQ(nState, 4);
}

int ScriptedEngineTest::Count(const std::vector<ScriptedRequest>& log, uint16_t dat, uint16_t msg) {
  int n = 0;
  for (const ScriptedRequest& r : log) n += (r.dat == dat && r.msg == msg) ? 1 : 0;
  return n;
}

TW_IMAGEINFO EightBitInfo(int32_t width, int32_t length, int16_t pixelType, TW_FIX32 xResolution) {
  TW_IMAGEINFO info{};
  info.XResolution = xResolution;
  info.YResolution = {300, 0};
  info.ImageWidth = width;
  info.ImageLength = length;
  info.SamplesPerPixel = 1;
  info.BitsPerSample[0] = 8;
  info.BitsPerPixel = 8;
  info.PixelType = pixelType;
  return info;
}
