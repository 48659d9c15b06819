// What the library does when a process loads and unloads it.
#include "connection.h"
#include "settings_store.h"

void CreateBatchEvents();
void CloseBatchEvents();
extern uint32_t g_pageFileCounter;

void EngineAttach(HINSTANCE instance) {
  g_twain.instance = instance;
  g_twain.SourceIdentity = {};
  WriteSettingString(kGeneralKey, "TargetTest", "Ok");
  CreateBatchEvents();
}

void EngineDetach() {
  CloseBatchEvents();
  TWAINFree();
  // A window of ours outliving the library would stay on screen, and each load would add one.
  if (g_twain.proxyWindow && IsWindow(g_twain.proxyWindow)) DestroyWindow(g_twain.proxyWindow);
  if (g_twain.ParentWindow == g_twain.proxyWindow) g_twain.ParentWindow = nullptr;
  g_twain.proxyWindow = nullptr;
}
