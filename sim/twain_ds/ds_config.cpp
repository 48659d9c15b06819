#include "ds_config.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

#include "twain_types.h"

namespace {

std::vector<uint16_t> CapList(const char* path, const char* key) {
  char text[512] = {};
  GetPrivateProfileStringA("Twain", key, "", text, sizeof text, path);
  std::vector<uint16_t> out;
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ','))
    if (!item.empty()) out.push_back(static_cast<uint16_t>(std::strtoul(item.c_str(), nullptr, 0)));
  return out;
}

std::vector<std::pair<uint16_t, uint32_t>> CapValueList(const char* path, const char* key) {
  char text[512] = {};
  GetPrivateProfileStringA("Twain", key, "", text, sizeof text, path);
  std::vector<std::pair<uint16_t, uint32_t>> out;
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) {
    const size_t colon = item.find(':');
    if (colon == std::string::npos) continue;
    out.emplace_back(static_cast<uint16_t>(std::strtoul(item.substr(0, colon).c_str(), nullptr, 0)),
                     static_cast<uint32_t>(std::strtoul(item.substr(colon + 1).c_str(), nullptr, 0)));
  }
  return out;
}

}  // namespace

DsConfig LoadDsConfig() {
  DsConfig c;
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", path, sizeof path)) return c;
  std::string error;
  zebsim::LoadSimConfig(path, &c.sim, &error);
  c.refuse = CapList(path, "Refuse");
  c.adjust = CapList(path, "Adjust");
  c.refuseValue = CapValueList(path, "RefuseValue");
  c.oneValue = CapList(path, "OneValue");
  c.lightPaths = CapList(path, "LightPaths");
  c.resolution = GetPrivateProfileIntA("Twain", "Resolution", 0, path);
  char product[256] = {};
  GetPrivateProfileStringA("Twain", "ProductName", "", product, sizeof product, path);
  c.productName = product;
  c.unsupported = CapList(path, "Unsupported");
  c.doubleFeedPage = GetPrivateProfileIntA("Twain", "DoubleFeed", 0, path);
  char failAt[64] = {};
  GetPrivateProfileStringA("Twain", "FailAt", "", failAt, sizeof failAt, path);
  c.failAt = failAt;
  c.failPage = GetPrivateProfileIntA("Twain", "FailPage", 0, path);
  c.condition = static_cast<uint16_t>(GetPrivateProfileIntA("Twain", "Condition", TWCC_BUMMER, path));
  c.scans = GetPrivateProfileIntA("Twain", "Scans", 1, path);
  c.rowPadding = GetPrivateProfileIntA("Twain", "RowPadding", 0, path);
  c.stripRows = GetPrivateProfileIntA("Twain", "StripRows", 0, path);
  c.failStrip = GetPrivateProfileIntA("Twain", "FailStrip", 0, path);
  c.refuseCondition = static_cast<uint16_t>(GetPrivateProfileIntA("Twain", "RefuseCondition", TWCC_BADVALUE, path));
  c.pixelUnits = GetPrivateProfileIntA("Twain", "PixelUnits", 0, path) != 0;
  c.depthsOfPixelType = GetPrivateProfileIntA("Twain", "DepthsOfPixelType", 0, path) != 0;
  c.minBufSize = static_cast<uint32_t>(GetPrivateProfileIntA("Twain", "MinBufSize", 0, path));
  return c;
}
