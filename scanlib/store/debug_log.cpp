#include "debug_log.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "settings_store.h"

void WriteLog(const char* logFile, const char* name, const char* prefix, int number,
              const LogValue& value, int level) {
  if (level > SettingsLogLevel()) return;
  char savePath[145];
  ReadSetting(kGeneralKey, "SAVEPATH", savePath, kSettingString, 144);
  std::string path = savePath;
  path += logFile;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;  // the line is lost; nobody is told
  SetFilePointer(f, 0, nullptr, FILE_END);
  std::string line = FormatLogLine(prefix, number, name, value, GetTickCount());
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
}

void LogIn(const char* name) { WriteLog(kLogFileName, name, "In ", 1, LogValue::None(), 1); }
void LogOut(const char* name, int32_t status) {
  WriteLog(kLogFileName, name, "Out", 1, LogValue::Int(status), 1);
}
void LogOutNoValue(const char* name) { WriteLog(kLogFileName, name, "Out", 1, LogValue::None(), 1); }
void LogDetail(const char* name, const char* prefix, int32_t value) {
  WriteLog(kLogFileName, name, prefix, 1, LogValue::Int(value), 2);
}
void LogDetailText(const char* name, const char* prefix, const char* text) {
  WriteLog(kLogFileName, name, prefix, 1, LogValue::Str(text), 2);
}
void LogDetailFloat(const char* name, const char* prefix, float value) {
  WriteLog(kLogFileName, name, prefix, 1, LogValue::Float(value), 2);
}
void LogTiming(const char* name, const char* prefix) {
  WriteLog(kLogFileName, name, prefix, 1, LogValue::Timing(), 3);
}
