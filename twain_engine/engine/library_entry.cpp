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
}
