// The debug log: one line appended per call to SAVEPATH + "ondrel.txt", filtered by DEBUGLEVEL.
#pragma once
#include "log_format.h"

constexpr const char* kLogFileName = "ondrel.txt";

// Levels: 1 entry and exit lines, 2 detail values, 3 timing lines.
void WriteLog(const char* logFile, const char* name, const char* prefix, int number,
              const LogValue& value, int level);

// The common forms.
void LogIn(const char* name);
void LogOut(const char* name, int32_t status);
void LogOutNoValue(const char* name);
void LogDetail(const char* name, const char* prefix, int32_t value);
void LogDetailText(const char* name, const char* prefix, const char* text);
void LogDetailFloat(const char* name, const char* prefix, float value);
void LogTiming(const char* name, const char* prefix);
