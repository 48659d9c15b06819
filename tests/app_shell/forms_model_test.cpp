// The small dialogs' models: the prepare-scanner dialog's label and scan-method group, the
// about box's version label, and the open-batch dialog's own folder list.
#include <gtest/gtest.h>

#include <map>

#include "folder_list.h"
#include "small_forms.h"

using namespace tarnwick;

namespace {

TableTexts Texts() {
  return TableTexts({{3, u"ADF"}, {4, u"平台"}, {5, u"扫瞄方式"}, {102, u" 适用于\n和"},
                     {1001, u"目前己扫瞄"}, {1002, u"  页"}, {1005, u"目前的路径:"}});
}

TEST(InterfaceTexts, MissingIdsGiveNothingAndTextsConvertBothWays) {
  TableTexts t = Texts();
  EXPECT_EQ(t.Text(9999), u"");
  const std::string utf8 = "发生扫瞄错误!! \xF0\x9F\x93\x84 Método";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(utf8)), utf8);
  EXPECT_EQ(Utf8ToUtf16("\xE5\x8F"), u"\uFFFD\uFFFD");  // a cut-off sequence is not read past
  EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"a\uFFFDz");
}

TEST(SmallForms, LabelsJoinTheirTextsAsTheDialogsShowThem) {
  TableTexts t = Texts();
  EXPECT_EQ(PageCountLabel(t, 12), u"目前己扫瞄 12   页");
  EXPECT_EQ(PageCountLabel(t, 0), u"目前己扫瞄 0   页");
  EXPECT_EQ(AboutVersionLabel(t), u"Folvex 1.6.4  适用于\n和");
}

TEST(SmallForms, ScanMethodGroupFollowsTheScannersMethods) {
  struct Case { bool feeder, forced; int32_t setting; bool enabled; int32_t settingsForm; int32_t conB; };
  const Case cases[] = {
      {true, false, 1, true, 1, 1},    // both methods: the setting, changeable
      {true, false, 0, true, 0, 0},
      {true, true, 1, false, 0, 1},    // feeder only: the form shows the feeder
      {false, true, 1, false, 1, 1},   // flatbed only, forced
      {false, true, 0, false, 0, 0},
      {false, false, 0, false, 1, 0},  // nothing known: the form shows the flatbed
      {true, false, 7, true, 0, 0},    // a setting outside 0..1 never selects past the items
  };
  TableTexts t = Texts();
  for (const Case& c : cases) {
    ScanMethodGroupState s = ScanMethodGroupFor(c.feeder, c.forced, c.setting);
    EXPECT_EQ(s.enabled, c.enabled) << c.feeder << c.forced << c.setting;
    EXPECT_EQ(s.selected, c.settingsForm) << c.feeder << c.forced << c.setting;
    // Both editions' prepare-scanner groups: enabled only for both methods, on the setting.
    for (Edition edition : {Edition::kFirst, Edition::kSecond}) {
      ConBFormModel m;
      m.Show(t, c.feeder, c.forced, c.setting, edition);
      EXPECT_EQ(m.group.enabled, c.enabled) << int(edition);
      EXPECT_EQ(m.group.selected, c.conB) << int(edition) << c.feeder << c.forced << c.setting;
      EXPECT_EQ(m.scanMethod, c.conB);
    }
  }
}

TEST(SmallForms, PrepareScannerItemsAreAddedOnTheFirstShowOnly) {
  TableTexts t = Texts();
  ConBFormModel m;
  m.Show(t, true, false, 0);
  t.Set(3, u"changed");
  m.Show(t, true, false, 0);
  ASSERT_EQ(m.groupItems.size(), 2u);
  EXPECT_EQ(m.groupItems[0], u"ADF");
  EXPECT_EQ(m.groupCaption, u"扫瞄方式");
}

class FakeFolders : public FolderSource {
 public:
  std::map<std::u16string, std::vector<std::u16string>> tree{
      {u"c:\\", {u"windows", u"temp", u"Batches"}},
      {u"c:\\temp", {u"b", u"A"}},
      {u"c:\\temp\\A", {}},
      {u"d:\\", {u"scans"}},
  };
  std::vector<std::u16string> SubFolders(const std::u16string& folder) override {
    auto it = tree.find(folder);
    return it == tree.end() ? std::vector<std::u16string>() : it->second;
  }
  std::vector<std::u16string> Drives() override { return {u"c:", u"d:"}; }
};

TEST(FolderList, ShowsTheChainToTheFolderThenItsSubfoldersInNameOrder) {
  FakeFolders folders;
  FolderListModel list(folders);
  list.SetDirectory(u"c:/temp\\");
  EXPECT_EQ(list.Directory(), u"c:\\temp");
  ASSERT_EQ(list.Items().size(), 4u);
  EXPECT_EQ(list.Items()[0].path, u"c:\\");
  EXPECT_EQ(list.Items()[1].path, u"c:\\temp");
  EXPECT_EQ(list.Items()[1].indent, 1);
  EXPECT_TRUE(list.Items()[1].open);
  EXPECT_EQ(list.Items()[2].name, u"A");
  EXPECT_EQ(list.Items()[2].path, u"c:\\temp\\A");
  EXPECT_EQ(list.Items()[2].indent, 2);
  EXPECT_FALSE(list.Items()[2].open);
  EXPECT_EQ(list.Items()[3].name, u"b");
  EXPECT_EQ(list.CurrentIndex(), 1);
  list.SetDirectory(u"c:");
  EXPECT_EQ(list.Directory(), u"c:\\");
  EXPECT_EQ(list.Items().size(), 4u);  // the root and its three folders
  EXPECT_EQ(list.Items()[1].name, u"Batches");
}

TEST(OpenForm, OnlyADoubleClickOpensAFolderAndEnablesOk) {
  FakeFolders folders;
  TableTexts t = Texts();
  OpenFormModel form(folders, t);
  form.SetDirectory(u"c:\\temp");
  form.Show();
  EXPECT_EQ(form.PathLabel(), u"目前的路径:c:\\temp");
  EXPECT_FALSE(form.OkEnabled());

  form.Click(2);  // "A": the label follows, nothing opens
  EXPECT_EQ(form.PathLabel(), u"目前的路径:c:\\temp\\A");
  EXPECT_EQ(form.List().Directory(), u"c:\\temp");
  EXPECT_FALSE(form.OkEnabled());

  form.ChooseDrive(u"d:");  // a new drive: its root, still no OK
  EXPECT_EQ(form.PathLabel(), u"目前的路径:d:\\");
  EXPECT_EQ(form.List().Items().size(), 2u);
  EXPECT_FALSE(form.OkEnabled());

  form.DoubleClick(1);  // "scans"
  EXPECT_EQ(form.List().Directory(), u"d:\\scans");
  EXPECT_EQ(form.Directory(), u"d:\\scans");
  EXPECT_TRUE(form.OkEnabled());

  form.Show();  // every show starts with OK disabled
  EXPECT_FALSE(form.OkEnabled());
  form.Click(99);  // outside the list: nothing
  form.DoubleClick(-1);
  EXPECT_EQ(form.Directory(), u"d:\\scans");
}

}  // namespace
