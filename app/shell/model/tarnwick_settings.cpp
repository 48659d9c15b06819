#include "tarnwick_settings.h"

namespace tarnwick {

const char* const kSettingsSection = "Settings";
const char* const kNameSection = "Name";
const char* const kUserNameKey = "UserName";

namespace {

constexpr const char* kDefaultPath = "c:\\temp";

// An index read from the file: a value outside 0..count-1 would reach past its table.
int32_t ReadIndex(IniFile& ini, const char* key, int32_t fallback, int32_t count) {
  int32_t value = ReadInteger(ini, kSettingsSection, key, fallback);
  return value >= 0 && value < count ? value : fallback;
}

}  // namespace

TarnwickSettings DefaultSettings(Edition edition) {
  TarnwickSettings d;
  if (edition == Edition::kSecond) {
    d.size = 0;
    d.png = 0;
  }
  return d;
}

TarnwickSettings LoadSettings(IniFile& ini, Edition edition) {
  const TarnwickSettings d = DefaultSettings(edition);
  TarnwickSettings s = d;
  const char* S = kSettingsSection;
  s.imageType = ReadIndex(ini, "Image Type", d.imageType, 3);
  s.size = ReadIndex(ini, "Size", d.size, kPaperSizeCount);
  s.resolution = ReadIndex(ini, "Resolution", d.resolution, 12);
  s.scanMethod = ReadIndex(ini, "Scan Method", d.scanMethod, 2);
  s.brightness = ReadInteger(ini, S, "Brightness", d.brightness);
  s.contrast = ReadInteger(ini, S, "Contrast", d.contrast);
  s.threshold = ReadInteger(ini, S, "Threshold", d.threshold);
  s.duplex = ReadBool(ini, S, "Duplex", d.duplex);
  s.autoCrop = ReadBool(ini, S, "AutoCrop", d.autoCrop);
  s.showUI = ReadBool(ini, S, "ShowUI", d.showUI);
  s.pdf = ReadBool(ini, S, "pdf", d.pdf);
  s.filter = ReadIndex(ini, "Filter", d.filter, 4);
  s.invert = ReadBool(ini, S, "Invert", d.invert);
  s.thumnailShow = ReadBool(ini, S, "ThumnailShow", d.thumnailShow);
  s.dontSaveImage = ReadBool(ini, S, "DontSaveImage", d.dontSaveImage);
  s.fitToPage = ReadBool(ini, S, "FitToPage", d.fitToPage);
  s.path = ini.ReadString(S, "Path", kDefaultPath);
  if (s.path.empty()) s.path = kDefaultPath;
  s.saveFormat = ReadIndex(ini, "Save Format", d.saveFormat, kSaveFormatCount);
  s.jpegSmooth = ReadInteger(ini, S, "Jpeg Smooth", d.jpegSmooth);
  s.jpegQualty = ReadInteger(ini, S, "Jpeg Qualty", d.jpegQualty);
  s.png = ReadInteger(ini, S, "Png", d.png);
  s.compress = ReadInteger(ini, S, "Compress", d.compress);
  s.funcbtn = ReadBool(ini, S, "funcbtn", d.funcbtn);
  return s;
}

void SaveSettings(IniFile& ini, const TarnwickSettings& s, const std::string& userName) {
  const char* S = kSettingsSection;
  WriteInteger(ini, S, "Image Type", s.imageType);
  WriteInteger(ini, S, "Size", s.size);
  WriteInteger(ini, S, "Resolution", s.resolution);
  WriteInteger(ini, S, "Scan Method", s.scanMethod);
  WriteBool(ini, S, "Duplex", s.duplex);
  WriteBool(ini, S, "ShowUI", s.showUI);
  WriteInteger(ini, S, "Brightness", s.brightness);
  WriteInteger(ini, S, "Contrast", s.contrast);
  WriteInteger(ini, S, "Threshold", s.threshold);
  ini.WriteString(S, "Path", s.path);
  WriteInteger(ini, S, "Save Format", s.saveFormat);
  WriteInteger(ini, S, "Jpeg Smooth", s.jpegSmooth);
  WriteInteger(ini, S, "Jpeg Qualty", s.jpegQualty);
  WriteInteger(ini, S, "Png", s.png);
  WriteInteger(ini, S, "Compress", s.compress);
  WriteBool(ini, S, "pdf", s.pdf);
  WriteInteger(ini, S, "Filter", s.filter);
  WriteBool(ini, S, "ThumnailShow", s.thumnailShow);
  WriteBool(ini, S, "DontSaveImage", s.dontSaveImage);
  WriteBool(ini, S, "FitToPage", s.fitToPage);
  WriteBool(ini, S, "Invert", s.invert);
  WriteBool(ini, S, "funcbtn", s.funcbtn);
  WriteBool(ini, S, "AutoCrop", s.autoCrop);
  ini.WriteString(kNameSection, kUserNameKey, userName);
}

}  // namespace tarnwick
