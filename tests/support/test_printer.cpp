#include "test_printer.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <vector>

namespace {

constexpr const char* kDriverName = "Tarnwick Test PostScript";

// US Letter at 300 dpi with no margins, so that printer pixels map straight onto the page.
constexpr const char* kPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TARNTEST.PPD"
*Manufacturer: "Tarnwick"
*Product: "(Tarnwick Test Printer)"
*ModelName: "Tarnwick Test PostScript"
*ShortNickName: "Tarnwick Test PostScript"
*NickName: "Tarnwick Test PostScript"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*DefaultResolution: 300dpi
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "0 0 612 792"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)ppd";

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(__cdecl*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  wchar_t wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* unix = toUnix(wide);
  if (!unix) return {};
  std::string path(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

}  // namespace

void RemoveTestPrinter(const std::string& name) {
  HANDLE printer = nullptr;
  if (OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

int RemoveTestPrinters() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count))
    return 0;
  auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
  std::vector<std::string> ours;
  int others = 0;
  for (DWORD i = 0; i < count; ++i) {
    std::string name = info[i].pPrinterName ? info[i].pPrinterName : "";
    if (name.rfind(kTestPrinterPrefix, 0) == 0) ours.push_back(name);
    else ++others;
  }
  for (const std::string& name : ours) RemoveTestPrinter(name);
  return others;
}

bool AddTestPrinter(const std::string& name, const std::string& outputFile, std::string& message) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string ppd = std::string(temp) + "tarnwick_test_printer.ppd";
  std::ofstream(ppd, std::ios::binary) << kPpd;
  // Wine's spooler copies every job to a port that names a file of the host.
  std::string port = UnixPath(outputFile);
  if (port.empty()) {
    message = "no host path for " + outputFile;
    return false;
  }
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = ppd.data();
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDefaultDataType = const_cast<char*>("RAW");
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                           APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
    message = "AddPrinterDriverEx failed: " + std::to_string(GetLastError());
    return false;
  }
  RemoveTestPrinter(name);
  PRINTER_INFO_2A info{};
  info.pPrinterName = const_cast<char*>(name.c_str());
  info.pPortName = port.data();
  info.pDriverName = const_cast<char*>(kDriverName);
  // The driver writes PostScript itself: the job goes to the port as it is.
  info.pPrintProcessor = const_cast<char*>("winprint");
  info.pDatatype = const_cast<char*>("RAW");
  info.pParameters = info.pShareName = info.pSepFile = const_cast<char*>("");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) {
    message = "AddPrinter failed: " + std::to_string(GetLastError());
    return false;
  }
  ClosePrinter(printer);
  if (!SetDefaultPrinterA(name.c_str())) {
    message = "SetDefaultPrinter failed: " + std::to_string(GetLastError());
    return false;
  }
  return true;
}
