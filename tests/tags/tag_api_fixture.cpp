#include "tag_api_fixture.h"

#include <cstring>

#include "driver_calls.h"
#include "library_state.h"
#include "settings_store.h"
#include "tag_exports.h"
#include "tag_lifecycle.h"

LibraryGlobals gLib;
int gInitDrvCalls = 0;
int32_t (*gSelectSource)() = nullptr;

int32_t InitDrv(int32_t kind) {
  ++gInitDrvCalls;
  int32_t status = kind == 0 ? CallKSLoad(gLib.ownerWindow) : kind == 1 || kind == 2 || kind == kKindWithoutBuilder ? 0 : -10;
  if (status == 0) {
    gLib.state = kStateDriverStarted;
    status = ZebInitTag();
  }
  gLib.lastStatus = status;
  return status;
}

int gFontsMade = 0;
void CreateInterfaceFont() { ++gFontsMade; }

extern "C" int32_t __stdcall ZebSelectSource() { return gSelectSource ? gSelectSource() : 0; }

void TagApiTest::SetUp() {
  StoreTest::SetUp();
  InstallFakeKSDriver();
  WriteSettingString(kGeneralKey, "SOURCENAME", "Sim");
  gLib.state = kStateStarted;
  gLib.driverKind = kDriverMaker;
  gLib.lastStatus = kZebOk;
  gInitDrvCalls = 0;
  gSelectSource = nullptr;
}

void TagApiTest::TearDown() {
  ZebFreeTag();
  RemoveFakeKSDriver();
  StoreTest::TearDown();
}

int32_t TagApiTest::Start(int32_t kind) {
  gLib.driverKind = kind;
  return InitDrv(kind);
}

int16_t TagApiTest::Get16(uint16_t tag) {
  int16_t v = -12345;
  EXPECT_EQ(ZebGetValue(tag, &v), 0) << std::hex << tag;
  return v;
}
int32_t TagApiTest::Get32(uint16_t tag) {
  int32_t v = -12345;
  EXPECT_EQ(ZebGetValue(tag, &v), 0) << std::hex << tag;
  return v;
}
float TagApiTest::GetFloat(uint16_t tag) {
  float v = -12345.0f;
  EXPECT_EQ(ZebGetValue(tag, &v), 0) << std::hex << tag;
  return v;
}
std::string TagApiTest::GetText(uint16_t tag) {
  char v[256] = {};
  EXPECT_EQ(ZebGetValue(tag, v), 0) << std::hex << tag;
  return v;
}
int32_t TagApiTest::Set16(uint16_t tag, int32_t v) {
  int16_t value = static_cast<int16_t>(v);
  return ZebSetValue(tag, &value);
}
int32_t TagApiTest::Set32(uint16_t tag, int32_t v) { return ZebSetValue(tag, &v); }
int32_t TagApiTest::SetFloat(uint16_t tag, float v) { return ZebSetValue(tag, &v); }
int32_t TagApiTest::Flag(uint16_t tag) {
  int32_t flag = 0;
  EXPECT_EQ(ZebGetTagFlag(tag, &flag), 0) << std::hex << tag;
  return flag;
}
