// Test fixture for the settings store: a clean "Software\Quandrix" tree, no fallback file, and a
// registry whose writes can be made to fail.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void FailRegistryWrites(bool fail);
  static std::string MakeTempFolder(const char* name);  // ends with a backslash
  static std::string ReadFile(const std::string& path);
  static std::string FallbackText(const char* name);    // "<absent>" when the INI lacks it
  static void DeleteTree(const char* keyPath);
  static DWORD RegistryType(const char* keyPath, const char* name);  // 0 when absent
};
