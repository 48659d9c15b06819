// ZebDoOCR: hands a DjVu file to the DjVu plug-in's recognition, which renders its page into
// the work file named by the "DjvuOCR" setting (with ".bmp") and writes the words beside it.
#include <cstring>
#include <string>

#include "debug_log.h"
#include "file_name_parts.h"
#include "ocr_library.h"
#include "page_source.h"
#include "pavlot.h"
#include "settings_store.h"
#include "status_codes.h"

namespace {

constexpr size_t kWorkNameSize = 144;

bool IsDjvuText(const std::string& text) { return StartsWithIgnoringCase(text, "djv"); }

int32_t DjvuPlugin() {
  const int32_t current = CurrentPluginIndex();
  if (const PluginEntry* p = PluginAt(current))
    if (IsDjvuText(ExtensionTextOf(*p))) return current;
  for (int32_t i = 0; i < PluginCount(); ++i)
    if (IsDjvuText(ExtensionTextOf(*PluginAt(i)))) return i;
  return kNoPlugin;
}

// The work file: the "DjvuOCR" setting and ".bmp", within the 144 bytes it has; empty when the
// setting is missing or too long for them.
std::string WorkFileName() {
  char setting[MAX_PATH + 1] = {};
  if (ReadSetting(kGeneralKey, "DjvuOCR", setting, kSettingString, sizeof setting) != 0) return {};
  const std::string name = std::string(setting) + ".bmp";
  if (setting[0] == '\0' || name.size() >= kWorkNameSize) return {};
  return name;
}

}  // namespace

void ZebFreeOCR() {
  LogIn("ZebFreeOCR");
  LogOutNoValue("ZebFreeOCR");
}

extern "C" int32_t __stdcall ZebDoOCR(const char* name, const int16_t* kind, intptr_t reserved) {
  LogIn("ZebDoOCR");
  const int32_t rc = kZebNotBound;  // what the recognition made is in its text file
  if (name && kind && *kind == 2 && IsDjvuText(FileExtension(name))) {
    const PluginEntry* p = PluginAt(DjvuPlugin());
    const std::string work = WorkFileName();
    if (p && p->FileSaveAs && !work.empty()) {
      intptr_t arguments[3] = {reinterpret_cast<intptr_t>(name), reinterpret_cast<intptr_t>(kind),
                               reserved};
      // The source travels where a page DIB would; the plug-in knows the call by its empty target.
      p->FileSaveAs(work.c_str(), reinterpret_cast<HGLOBAL>(const_cast<char*>(name)), nullptr,
                    reinterpret_cast<intptr_t>(arguments), 0, nullptr);
    }
  }
  LogOut("ZebDoOCR", rc);
  return rc;
}
