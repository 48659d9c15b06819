// The string tables as built into the programs: every id of each edition, byte for byte, against
// a UTF-8 copy of the table kept as a fixture; their counts; and the look-up by id.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "failure_text_ids.h"
#include "resource_texts.h"
#include "settings_files.h"
#include "win_driver.h"

using namespace tarnwick;

namespace {

// The program's own texts for pages not saved or not read, in both editions beside the table.
const std::set<int> kFailureTextIds = {tarnwick::kTextDiskFull, tarnwick::kTextPageNotWritten,
                                       tarnwick::kTextScanStoppedPagesKept,
                                       tarnwick::kTextPagesNotInDocument,
                                       tarnwick::kTextDocumentNotFinished};

struct FixtureRow {
  std::u16string first, second;
  bool inSecond = true;
};

std::u16string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char c = text[++i];
      out.push_back(c == 'n' ? '\n' : c);
    } else {
      out.push_back(text[i]);
    }
  }
  return Utf8ToUtf16(out);
}

std::map<int, FixtureRow> ReadFixture() {
  std::string text = ReadWholeFile(windriver::Wide(APP_SHELL_FIXTURES "/interface_texts.tsv"));
  std::map<int, FixtureRow> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
    FixtureRow row;
    row.first = Unescape(line.substr(t1 + 1, t2 - t1 - 1));
    std::string second = line.substr(t2 + 1);
    row.inSecond = second != "-";
    if (row.inSecond) row.second = Unescape(second);
    rows[std::stoi(line.substr(0, t1))] = row;
  }
  return rows;
}

// Every id the module's string table holds.
BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<int>*>(data)->insert(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

std::set<int> TableIds(HMODULE module) {
  std::set<int> blocks, ids;
  EnumResourceNamesW(module, reinterpret_cast<LPCWSTR>(RT_STRING), &CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
  ResourceTexts texts(module);
  for (int block : blocks)
    for (int i = 0; i < 16; ++i) {
      int id = (block - 1) * 16 + i;
      const wchar_t* p = nullptr;
      if (LoadStringW(module, id, reinterpret_cast<LPWSTR>(&p), 0) > 0) ids.insert(id);
    }
  return ids;
}

class InterfaceTextsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fixture_ = new std::map<int, FixtureRow>(ReadFixture());
    first_ = LoadLibraryExW(L"Tarnwick.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    second_ = LoadLibraryExW(L"fixtures\\strings_second\\strings_second.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() {
    if (first_) FreeLibrary(first_);
    if (second_) FreeLibrary(second_);
    delete fixture_;
  }
  static std::map<int, FixtureRow>* fixture_;
  static HMODULE first_, second_;
};
std::map<int, FixtureRow>* InterfaceTextsTest::fixture_ = nullptr;
HMODULE InterfaceTextsTest::first_ = nullptr;
HMODULE InterfaceTextsTest::second_ = nullptr;

TEST_F(InterfaceTextsTest, FirstEditionHoldsEveryIdOfTheTableByteForByte) {
  ASSERT_EQ(fixture_->size(), 134u);
  ASSERT_NE(first_, nullptr);
  ResourceTexts texts(first_);
  for (const auto& [id, row] : *fixture_)
    EXPECT_EQ(texts.Text(id), row.first) << "id " << id;
  std::set<int> ids = TableIds(first_);
  EXPECT_EQ(ids.size(), 135u + kFailureTextIds.size());
  for (int id : kFailureTextIds) EXPECT_FALSE(texts.Text(id).empty()) << "id " << id;
  EXPECT_EQ(texts.Text(1014), u"发生扫瞄错误!!");
  EXPECT_EQ(texts.Text(1002), u"  页");
  EXPECT_EQ(texts.Text(327), u"关于 Folvex(&A) ");
  EXPECT_EQ(texts.Text(102).substr(0, 5), u" 适用于 ");
  EXPECT_NE(texts.Text(102).find(u" \n和"), std::u16string::npos);
}

TEST_F(InterfaceTextsTest, SecondEditionHasTheSameIdsBut600And601) {
  ASSERT_NE(second_, nullptr);
  ResourceTexts texts(second_);
  for (const auto& [id, row] : *fixture_)
    EXPECT_EQ(texts.Text(id), row.inSecond ? row.second : u"") << "id " << id;
  std::set<int> ids = TableIds(second_);
  EXPECT_EQ(ids.size(), 133u + kFailureTextIds.size());
  for (int id : kFailureTextIds) EXPECT_FALSE(texts.Text(id).empty()) << "id " << id;
  EXPECT_EQ(ids.count(600) + ids.count(601), 0u);
  EXPECT_EQ(texts.Text(1017), u"From Import Image ");
  EXPECT_EQ(texts.Text(1002), u" páginas");
}

TEST_F(InterfaceTextsTest, LookUpGivesNothingForAMissingIdAndNeverCutsALongText) {
  ResourceTexts texts(first_);
  EXPECT_EQ(texts.Text(12345), u"");
  EXPECT_EQ(texts.Text(0), u"");
  // The longest text of either table comes back whole.
  ResourceTexts second(second_);
  EXPECT_EQ(second.Text(1006), u"Por favor escolha diretório do conjunto de arquivos");
  // The program's own table, as the windows read it.
  EXPECT_EQ(TextW(301), L"档案(&F)");
}

}  // namespace
