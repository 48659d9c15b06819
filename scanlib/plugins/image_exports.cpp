// Reading image files through the plug-ins.
#include "debug_log.h"
#include "file_name_parts.h"
#include "pavlot.h"
#include "plugin_choice.h"
#include "plugin_list.h"
#include "status_codes.h"

extern "C" int32_t __stdcall ZebCloseImage() {
  LogIn("ZebCloseImage");
  const PluginEntry* p = ReadingPlugin();
  const int32_t rc = p && p->CloseImageFile ? p->CloseImageFile() : kZebNotBound;
  SetReadingPlugin(kNoPlugin);
  LogOut("ZebCloseImage", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebOpenImage(const char* name, int32_t* pageCount, intptr_t reserved1,
                                          intptr_t reserved2) {
  LogIn("ZebOpenImage");
  ZebCloseImage();
  int32_t rc = kZebNotBound;
  if (PluginCount() > 0) {
    const int32_t index = ChooseByExtension(FileExtension(name));
    const PluginEntry* p = PluginAt(index);
    if (!p) {
      rc = kZebNoPlugInForFile;
    } else if (p->OpenImageFile) {
      rc = p->OpenImageFile(name, pageCount, reserved1, reserved2);
      if (rc >= 0) SetReadingPlugin(index);
    }
  }
  LogOut("ZebOpenImage", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebGetImage(HGLOBAL* dib, ScanPageInfo* info, intptr_t reserved1,
                                         intptr_t reserved2) {
  LogIn("ZebGetImage");
  const PluginEntry* p = ReadingPlugin();
  const int32_t rc = p && p->GetImageData ? p->GetImageData(dib, info, reserved1, reserved2) : kZebNotBound;
  LogOut("ZebGetImage", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebSetPageIndex(int32_t index, intptr_t reserved) {
  LogIn("ZebSetPageIndex");
  const PluginEntry* p = ReadingPlugin();
  const int32_t rc = p && p->SetPageIndex ? p->SetPageIndex(index, reserved) : kZebNotBound;
  LogOut("ZebSetPageIndex", rc);
  return rc;
}
