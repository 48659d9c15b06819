#include "plugin_case.h"

#include "test_files.h"

#include <shlwapi.h>

bool PavlotFiles::Load(const std::string& path) {
  module = LoadLibraryA(path.c_str());
  return module && Bind(module, "ZebLoad", &ZebLoad) && Bind(module, "ZebFree", &ZebFree) &&
         Bind(module, "ZebSetValue", &ZebSetValue) && Bind(module, "ZebGetValue", &ZebGetValue) &&
         Bind(module, "ZebGetTagChoice", &ZebGetTagChoice) &&
         Bind(module, "ZebFileCreate", &ZebFileCreate) && Bind(module, "ZebFileSave", &ZebFileSave) &&
         Bind(module, "ZebFileClose", &ZebFileClose) && Bind(module, "ZebGetCompMode", &ZebGetCompMode) &&
         Bind(module, "ZebGetFileExt", &ZebGetFileExt) && Bind(module, "ZebGetFileExtStr", &ZebGetFileExtStr) &&
         Bind(module, "ZebOpenImage", &ZebOpenImage) && Bind(module, "ZebGetImage", &ZebGetImage) &&
         Bind(module, "ZebCloseImage", &ZebCloseImage) && Bind(module, "ZebSetPageIndex", &ZebSetPageIndex) &&
         Bind(module, "ZebSaveAs", &ZebSaveAs) && Bind(module, "ZebConvertFile", &ZebConvertFile) &&
         Bind(module, "ZebBlankPage", &ZebBlankPage);
}

void PavlotFiles::Unload() {
  if (module) {
    if (ZebFree) ZebFree();
    FreeLibrary(module);
  }
  *this = PavlotFiles{};
}

void PluginCase::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  OpenCaseFolder(std::string("plugin_case_") + test->name());
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  DeleteFileA("c:\\temp\\ondrel.ini");
  StoreLibraryInt("DEBUGLEVEL", 1);
  StoreLibraryText("SAVEPATH", caseFolder);
  SetEnvironmentVariableA("PLUGIN_FIXTURE_LOG", nullptr);
}

void PluginCase::TearDown() {
  pavlot.Unload();
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  CloseCaseFolder();
}

void PluginCase::ProvidePlugins(const std::vector<std::string>& names, const std::string& folder) {
  for (const std::string& n : names) {
    const std::string from = binFolder + "fixtures\\plugins\\" + n + "\\" + n + ".dll";
    const std::string to = (folder.empty() ? caseFolder : folder) + n + ".dll";
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from;
  }
}

bool PluginCase::ProvideFromBin(const char* name) {
  return CopyFileA((binFolder + name).c_str(), (caseFolder + name).c_str(), FALSE) != 0;
}

void PluginCase::Start() {
  ASSERT_TRUE(ProvideFromBin("pavlot.dll"));
  ASSERT_TRUE(ProvideFromBin("zebdrv.dll"));
  ASSERT_TRUE(pavlot.Load(caseFolder + "pavlot.dll"));
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  // The save options carry the quality: a known one keeps the expected texts short.
  ASSERT_EQ(Set16(0x920A, 0), 0);
}

int32_t PluginCase::Set16(uint16_t tag, int16_t value) { return pavlot.ZebSetValue(tag, &value); }

std::vector<int32_t> PluginCase::Choices16(uint16_t tag) {
  std::vector<int32_t> items;
  int16_t v = 0;
  for (int i = 0; pavlot.ZebGetTagChoice(tag, i, &v) == 0; ++i) items.push_back(v);
  return items;
}

std::string PluginCase::TakeLog() {
  char text[8192] = {};
  GetEnvironmentVariableA("PLUGIN_FIXTURE_LOG", text, sizeof text);
  SetEnvironmentVariableA("PLUGIN_FIXTURE_LOG", nullptr);
  return text;
}

int32_t PluginCase::LiveBlocks(const char* plugin) {
  HMODULE m = GetModuleHandleA((std::string(plugin) + ".dll").c_str());
  int32_t(__stdcall * live)() = nullptr;
  if (!m || !Bind(m, "FixtureLiveBlocks", &live)) return -1;
  return live();
}
