#include <cstring>

#include "driver_bindings.h"
#include "library_state.h"
#include "version_text.h"

// The identity comes from the library's own version block, found through its module path so it
// does not depend on the current folder.
void RegisterTwainApp() {
  if (gLib.state >= kStateRegistered) return;
  TWAppInfo& info = gLib.appInfo;
  if (info.ProductName[0] == '\0') {
    std::string self = ModulePath(gLib.module);
    ReadVersionString(self.c_str(), "FileVersion", info.VersionInfo, sizeof(info.VersionInfo));
    ReadVersionString(self.c_str(), "ProductName", info.ProductName, sizeof(info.ProductName));
    ReadVersionString(self.c_str(), "CompanyName", info.Manufacturer, sizeof(info.Manufacturer));
  }
  if (gTwain.TWAINRegister && gLib.state < kStateRegistered) {
    gTwain.TWAINRegister(&info);
    gLib.state = kStateRegistered;
  }
}
