// A test of the page services through pavlot.dll over the simulated scanner: no stored settings
// before or after, and the library released, the pages freed and the scanner forgotten at the end.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_services_client.h"
#include "pavlot_scan_client.h"

class PageServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ForgetStoredSettings(); }
  void TearDown() override {
    for (HGLOBAL h : pages) FreeBlock(h);
    if (pavlot.ZebFree) pavlot.ZebFree();
    pavlot.Unload();
    ForgetScanner();
    ForgetStoredSettings();
  }
  // pavlot.dll loaded over a scanner with these settings.
  void LoadOver(const std::string& ini) {
    UseScanner(ini);
    ASSERT_TRUE(pavlot.Load());
  }
  // The library started, scanning pages of this type at 300 dpi by memory transfer.
  void StartScans(int pixelType) {
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
    ASSERT_EQ(pavlot.Set16(kTagPixelType, pixelType), 0);
    ASSERT_EQ(pavlot.Set32(kTagXRes, 300), 0);
    ASSERT_EQ(pavlot.Set32(kTagYRes, 300), 0);
    ASSERT_EQ(pavlot.Set16(kTagTransferMode, 1), 0);
  }

  PageServices pavlot;
  std::vector<HGLOBAL> pages;  // freed at the end
};
