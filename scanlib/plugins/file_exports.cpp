// The file exports that go straight to the current plug-in.
#include "debug_log.h"
#include "pavlot.h"
#include "plugin_list.h"
#include "save_options.h"
#include "status_codes.h"

extern "C" int32_t __stdcall ZebFileCreate(const char* name, ScanPageInfo* page, intptr_t /*unused*/) {
  LogIn("ZebFileCreate");
  const PluginEntry* p = CurrentPlugin();
  int32_t rc = kZebNotBound;
  if (p && p->FileCreate) {
    const FileSaveOptions options = CurrentSaveOptions();
    rc = p->FileCreate(name, page, &options);
  }
  LogOut("ZebFileCreate", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebFileSave(const void* rows, int32_t rowBytes, int32_t rowCount,
                                         int32_t received, int32_t reserved) {
  LogIn("ZebFileSave");
  const PluginEntry* p = CurrentPlugin();
  const int32_t rc = p && p->FileSave ? p->FileSave(rows, rowBytes, rowCount, received, reserved) : kZebNotBound;
  LogOut("ZebFileSave", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebFileClose(int32_t keepOpen) {
  LogIn("ZebFileClose");
  const PluginEntry* p = CurrentPlugin();
  const int32_t rc = p && p->FileClose ? p->FileClose(keepOpen) : kZebNotBound;
  LogOut("ZebFileClose", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebGetCompMode(uint16_t** list, int32_t* count, int32_t have) {
  LogIn("ZebGetCompMode");
  const PluginEntry* p = CurrentPlugin();
  const int32_t rc = p && p->GetCompMode ? p->GetCompMode(list, count, have) : kZebNotBound;
  LogOut("ZebGetCompMode", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebGetFileExt(uint16_t** list, int32_t* count, int32_t reserved) {
  LogIn("ZebGetFileExt");
  const PluginEntry* p = CurrentPlugin();
  const int32_t rc = p && p->GetFileExts ? p->GetFileExts(list, count, reserved) : kZebNotBound;
  LogOut("ZebGetFileExt", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebGetFileExtStr(char* text) {
  LogIn("ZebGetFileExtStr");
  const PluginEntry* p = CurrentPlugin();
  const int32_t rc = p && p->GetFileExtStr ? p->GetFileExtStr(text) : kZebNotBound;
  LogOut("ZebGetFileExtStr", rc);
  return rc;
}
