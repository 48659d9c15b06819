// ZebDoOCR through pavlot.dll: a DjVu page of rendered text read into the OCR text file by the
// DjVu plug-in and its recognition library, requests it refuses, and the plug-in unloaded once,
// by the plug-in host, at the library's release.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "page_services_fixture.h"
#include "test_files.h"

namespace {

using DoOcrProc = int32_t(__stdcall*)(const char*, const int16_t*, intptr_t);

std::string LowerTextOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  std::string t = s.str();
  std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return t;
}

void SetWorkFile(const std::string& base) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, "DjvuOCR", 0, REG_SZ, reinterpret_cast<const BYTE*>(base.c_str()),
                 DWORD(base.size() + 1));
  RegCloseKey(key);
}

class DoOcr : public PageServicesTest {
 protected:
  void SetUp() override {
    bin = FolderOfThisProgram();
    if (GetFileAttributesA((bin + "djvuocr.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "djvuocr.dll was not built (no Tesseract from tools/setup)";
    PageServicesTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(LoadOver("[Feeder]\nSheets=1\n"));
    ZebDoOCR = reinterpret_cast<DoOcrProc>(pavlot.Export("ZebDoOCR"));
    ASSERT_TRUE(ZebDoOCR);
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  }
  DoOcrProc ZebDoOCR = nullptr;
  std::string bin;
  const int16_t kFile = 2;
};

TEST_F(DoOcr, TheWordsOfADjvuPageGoToTheTextFile) {
  const std::string work = OutputFolder() + "ocr_work";
  DeleteFileA((work + ".txt").c_str());
  ASSERT_NO_FATAL_FAILURE(SetWorkFile(work));
  EXPECT_EQ(ZebDoOCR((bin + "ocr\\text_line.djvu").c_str(), &kFile, 0), -7);
  const std::string text = LowerTextOf(work + ".txt");
  EXPECT_NE(text.find("quick"), std::string::npos) << text;
  EXPECT_NE(text.find("brown"), std::string::npos) << text;
  EXPECT_NE(text.find("foxes"), std::string::npos) << text;
  EXPECT_NE(GetFileAttributesA((work + ".bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  // The recognition library is loaded for the request only; the plug-in stays until the plug-in
  // host unloads it at the release.
  EXPECT_EQ(GetModuleHandleA("djvuocr.dll"), nullptr);
  ASSERT_TRUE(GetModuleHandleA("FileDjvu.dll"));
  EXPECT_EQ(pavlot.ZebFree(), 0);
  EXPECT_EQ(GetModuleHandleA("FileDjvu.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("djvuocr.dll"), nullptr);
}

TEST_F(DoOcr, RefusesWhatItCannotHandOver) {
  const std::string work = OutputFolder() + "ocr_refused";
  DeleteFileA((work + ".txt").c_str());
  ASSERT_NO_FATAL_FAILURE(SetWorkFile(work));
  const std::string djvu = bin + "ocr\\text_line.djvu";
  const int16_t kDib = 1;
  EXPECT_EQ(ZebDoOCR(djvu.c_str(), &kDib, 0), -7);
  EXPECT_EQ(ZebDoOCR((OutputFolder() + "scan.tif").c_str(), &kFile, 0), -7);
  EXPECT_EQ(ZebDoOCR(nullptr, &kFile, 0), -7);
  EXPECT_EQ(GetFileAttributesA((work + ".txt").c_str()), INVALID_FILE_ATTRIBUTES);
  // A work file name that does not fit the 144 bytes it has: refused, nothing written.
  const std::string longBase = OutputFolder() + std::string(150, 'w');
  ASSERT_NO_FATAL_FAILURE(SetWorkFile(longBase));
  EXPECT_EQ(ZebDoOCR(djvu.c_str(), &kFile, 0), -7);
  ASSERT_NO_FATAL_FAILURE(SetWorkFile(OutputFolder() + std::string(140 - OutputFolder().size(), 'v')));
  EXPECT_EQ(ZebDoOCR(djvu.c_str(), &kFile, 0), -7);
  EXPECT_EQ(GetFileAttributesA((OutputFolder() + std::string(140 - OutputFolder().size(), 'v') + ".txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
