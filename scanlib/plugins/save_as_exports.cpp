// Writing whole image files: a page DIB saved as a file, and one file converted to another.
#include "debug_log.h"
#include "pavlot.h"
#include "plugin_choice.h"
#include "plugin_list.h"
#include "save_options.h"
#include "status_codes.h"

extern "C" int32_t __stdcall ZebSaveAs(HGLOBAL dib, const char* target, intptr_t option,
                                       intptr_t reserved) {
  LogIn("ZebSaveAs");
  int32_t rc = kZebNotBound;
  const PluginEntry* p = target ? PluginAt(ChooseForSave(target)) : nullptr;
  if (p && p->FileSaveAs) {
    const FileSaveOptions options = CurrentSaveOptions();
    rc = p->FileSaveAs(nullptr, dib, target, option, reserved, &options);
  }
  LogOut("ZebSaveAs", rc);
  return rc;
}

extern "C" int32_t __stdcall ZebConvertFile(const char* target, const char* source, intptr_t /*unused1*/,
                                            intptr_t /*unused2*/, int32_t low, int32_t high) {
  LogIn("ZebConvertFile");
  int32_t rc = kZebNotBound;
  const PluginEntry* p = target && source ? PluginAt(ChooseForConversion(target, source)) : nullptr;
  if (p && p->FileSaveAs) {
    // The two values travel packed in one number of the plug-in's own meaning.
    uint32_t packed = (static_cast<uint32_t>(low) + static_cast<uint32_t>(high) * 32u) * 4u;
    const FileSaveOptions options = CurrentSaveOptions();
    rc = p->FileSaveAs(source, nullptr, target, reinterpret_cast<intptr_t>(&packed), 0, &options);
  }
  LogOut("ZebConvertFile", rc);
  return rc;
}
