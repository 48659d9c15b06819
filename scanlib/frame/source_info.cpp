#include "source_info.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

std::string Field(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

std::string Format(const char* pattern, const std::string& value) {
  char line[512];
  std::snprintf(line, sizeof(line), pattern, value.c_str());
  return line;
}

}  // namespace

FileVersionText GetFileVersionText(const char* file) {
  FileVersionText out;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file, &handle);
  if (size == 0) return out;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(file, 0, size, block.data())) return out;
  void* pairs = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pairs, &length)) return out;
  for (UINT at = 0; at + 4 <= length; at += 4) {
    WORD language, codePage;
    std::memcpy(&language, static_cast<char*>(pairs) + at, 2);
    std::memcpy(&codePage, static_cast<char*>(pairs) + at + 2, 2);
    char path[96];
    void* text = nullptr;
    UINT n = 0;
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
    if (VerQueryValueA(block.data(), path, &text, &n) && text) {
      out.version.clear();
      for (const char* c = static_cast<const char*>(text); c < static_cast<const char*>(text) + n && *c; ++c)
        if (*c != ' ') out.version += *c;
    }
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\LegalCopyright", language, codePage);
    if (VerQueryValueA(block.data(), path, &text, &n) && text)
      out.notice = Field(static_cast<const char*>(text), n);
  }
  return out;
}

std::vector<std::string> KSSourceInfoLines(const KSSourceRecord& rec, const std::string& zebdrvVersion,
                                           const FileVersionText& pavlot) {
  std::vector<std::string> lines;
  std::string listName = Field(rec.ListName, sizeof(rec.ListName));
  size_t dash = listName.find(" - ");
  std::string model = dash == std::string::npos ? listName : listName.substr(dash + 3);
  lines.push_back(Format("Manufacturer: %s", Field(rec.Manufacturer, sizeof(rec.Manufacturer))));
  lines.push_back(Format("Model Name: %s", model).substr(0, 27));
  // The firmware text stands 20 characters into the model; a shorter model has none.
  lines.push_back(Format("F/W Version: %s", model.size() > 20 ? model.substr(20) : ""));
  lines.push_back(Format("Driver Version: %s", Field(rec.Version, sizeof(rec.Version))));
  if (lstrcmpiA(Field(rec.InterfaceName, sizeof(rec.InterfaceName)).c_str(), "ksaspi32.dll") == 0) {
    lines.push_back("");
    lines.push_back(Format("SCSI Adapter: %s", Field(rec.AdapterName, sizeof(rec.AdapterName))));
    lines.push_back("SCSI ID: " + std::to_string(rec.ScsiId));
  }
  lines.push_back("");
  lines.push_back(Format("ZebDrv Version: %s", zebdrvVersion));
  lines.push_back(Format("PAVLOT Version: %s", pavlot.version));
  lines.push_back(pavlot.notice);
  return lines;
}

std::vector<std::string> TWAINSourceInfoLines(const TW_IDENTITY& id) {
  char text[128];
  std::vector<std::string> lines;
  std::snprintf(text, sizeof(text), "TWAIN Version: %d.%d", id.ProtocolMajor, id.ProtocolMinor);
  lines.push_back(text);
  lines.push_back(Format("Manufacturer: %s", Field(id.Manufacturer, sizeof(id.Manufacturer))));
  lines.push_back(Format("ProductFamily: %s", Field(id.ProductFamily, sizeof(id.ProductFamily))));
  lines.push_back(Format("ProductName: %s", Field(id.ProductName, sizeof(id.ProductName))));
  lines.push_back("");
  std::snprintf(text, sizeof(text), "Application Version: %d.%d", id.Version.MajorNum, id.Version.MinorNum);
  lines.push_back(text);
  lines.push_back(Format("Application Information: %s", Field(id.Version.Info, sizeof(id.Version.Info))));
  return lines;
}
