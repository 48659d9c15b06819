// The frame's own logic, linked in directly: the status table, source lookup, the bounded
// copies into fixed fields, and the version reader.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "library_state.h"
#include "source_list.h"
#include "source_info.h"
#include "source_settings.h"
#include "version_text.h"

namespace {

TEST(StatusCodes, OneTableOfDistinctCodes) {
  const int32_t expected[] = {0, -1, -3, -4, -7, -8, -9, -10, -11, -16, -24, -26, -29};
  std::set<int32_t> codes;
  std::set<std::string> names;
  for (const ZebStatusCode& c : kZebStatusCodes) {
    codes.insert(c.code);
    names.insert(c.name);
    EXPECT_STREQ(ZebStatusName(c.code), c.name);
  }
  EXPECT_EQ(codes, std::set<int32_t>(std::begin(expected), std::end(expected)));
  EXPECT_EQ(names.size(), std::size(kZebStatusCodes));
  EXPECT_EQ(ZebStatusName(-2), nullptr);
}

std::vector<SourceEntry> Entries(std::initializer_list<const char*> texts) {
  std::vector<SourceEntry> out;
  int i = 0;
  for (const char* t : texts) out.push_back(SourceEntry{t, i < 2 ? 0 : 1, i, KSSourceRecord{}}), ++i;
  return out;
}

TEST(SourceLookup, RequestsPickTheExpectedEntry) {
  auto list = Entries({"Quandrix - ZS-3000", "Quandrix - ZS-1200", "ZS-3000 TWAIN Pro", "zs-3000 twain"});
  struct Case {
    const char* requested;
    const char* stored;
    int expected;
  } cases[] = {
      {"__Source__", "Quandrix - ZS-1200", 1},      // the stored source, exactly
      {"__source__", "quandrix - zs-1200", -1},     // letter case differs: nothing
      {"__Source__", "", -1},
      {"ZS-1200", "", 1},                           // the first entry containing the name
      {"Quandrix", "", 0},                          // two contain it: the earlier one
      {"TWAIN", "", 2},                             // maker's sources before TWAIN ones
      {"Pro", "", 2},
      // Only entry 3 contains "twain" (containing is case-sensitive), but the list's prefix
      // search for its text lands on entry 2, which begins with it in other letter case.
      {"twain", "", 2},
      {"ZS", "Quandrix - ZS-1200", 1},              // the stored name is tested first
      {"ZS", "Old ZS scanner", 0},                  // a stored name no entry begins with
      {"Nothing", "Quandrix - ZS-1200", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseSource(list, c.requested, c.stored), c.expected) << c.requested << " / " << c.stored;
  EXPECT_EQ(ChooseSource({}, "ZS", ""), -1);
}

TEST(SourceLookup, InteractiveRequestIgnoresCase) {
  EXPECT_TRUE(IsInteractiveRequest("__Source__"));
  EXPECT_TRUE(IsInteractiveRequest("__SOURCE__"));
  EXPECT_FALSE(IsInteractiveRequest("__Source"));
  EXPECT_FALSE(IsInteractiveRequest(nullptr));
}

TEST(SourceName, ProductNameTakesAtMost33Characters) {
  TW_IDENTITY id;
  std::memset(&id, 0x5A, sizeof(id));
  const char* longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcde";  // 41 characters
  SourceNameToProductName(longName, &id);
  EXPECT_EQ(std::string(id.ProductName), std::string(longName, 33));
  EXPECT_EQ(id.ProductName[33], '\0');
  EXPECT_EQ(static_cast<unsigned char>(id.ProductFamily[0]), 0x5A);  // nothing before it touched
  SourceNameToProductName("ZS", &id);
  EXPECT_STREQ(id.ProductName, "ZS");
  for (size_t i = 2; i < sizeof(id.ProductName); ++i) EXPECT_EQ(id.ProductName[i], '\0');
}

KSSourceRecord Record(const char* listName, const char* interfaceName) {
  KSSourceRecord rec{};
  std::strcpy(rec.ListName, listName);
  std::strcpy(rec.Manufacturer, "Acme");
  std::strcpy(rec.Version, "9.1");
  std::strcpy(rec.InterfaceName, interfaceName);
  std::strcpy(rec.AdapterName, "Bus 0");
  rec.ScsiId = 5;
  return rec;
}

TEST(SourceInfo, MakersSourceLines) {
  FileVersionText pavlot{"1.0.0.1", "(c) Quandrix"};
  auto lines = KSSourceInfoLines(Record("Acme - Model ABCDEFGHIJKLMN2.05", "KSASPI32.DLL"), "3.0", pavlot);
  std::vector<std::string> expected = {"Manufacturer: Acme", "Model Name: Model ABCDEFGHI",
                                       "F/W Version: 2.05", "Driver Version: 9.1", "",
                                       "SCSI Adapter: Bus 0", "SCSI ID: 5", "", "ZebDrv Version: 3.0",
                                       "PAVLOT Version: 1.0.0.1", "(c) Quandrix"};
  EXPECT_EQ(lines, expected);
}

TEST(SourceInfo, ShortModelWithoutDashHasNoFirmwareAndNoScsiLines) {
  auto lines = KSSourceInfoLines(Record("Tiny", "ksusb32.dll"), "", FileVersionText{});
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[1], "Model Name: Tiny");
  EXPECT_EQ(lines[2], "F/W Version: ");
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "ZebDrv Version: ");
}

class VersionText : public ::testing::Test {
 protected:
  // pavlot.dll lies in the bin folder, one above this program's folder.
  static std::string PavlotPath() {
    std::string self = ModulePath(nullptr);
    std::string folder = self.substr(0, self.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\') + 1) + "pavlot.dll";
  }
};

TEST_F(VersionText, ReadsTheLibrarysOwnBlock) {
  char text[64] = "unchanged";
  ASSERT_TRUE(ReadVersionString(PavlotPath().c_str(), "ProductName", text, sizeof(text)));
  EXPECT_STREQ(text, "Pavlot");
  ASSERT_TRUE(ReadVersionString(PavlotPath().c_str(), "CompanyName", text, sizeof(text)));
  EXPECT_STREQ(text, "Quandrix");
  ASSERT_TRUE(ReadVersionString(PavlotPath().c_str(), "FileVersion", text, sizeof(text)));
  EXPECT_STREQ(text, "1.0.0.1");
}

TEST_F(VersionText, CopyIsBoundByTheDestination) {
  char small[8];
  std::memset(small, 'x', sizeof(small));
  ASSERT_TRUE(ReadVersionString(PavlotPath().c_str(), "LegalCopyright", small, sizeof(small)));
  EXPECT_STREQ(small, "Copyrig");
  char field[34];
  ASSERT_TRUE(ReadVersionString(PavlotPath().c_str(), "LegalCopyright", field, sizeof(field)));
  EXPECT_EQ(std::strlen(field), 33u);
}

TEST_F(VersionText, MissingBlockLeavesTheDestination) {
  char text[16] = "unchanged";
  EXPECT_FALSE(ReadVersionString("c:\\no\\such\\file.dll", "ProductName", text, sizeof(text)));
  EXPECT_STREQ(text, "unchanged");
  EXPECT_FALSE(ReadVersionString(PavlotPath().c_str(), "NoSuchValue", text, sizeof(text)));
  EXPECT_STREQ(text, "unchanged");
}

}  // namespace
