#include "dialogs/Setdirpath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "dropwindow/DropWindowLook.h"
#include "settings/SettingsFile.h"

namespace qm {
namespace {

using test::Bytes;
using test::click;
using test::folders;
using test::header;
using test::select;
using test::type;

const RecordedMessageBox kFileMissingNotice{
    "設定ファイルが見つかりません。\n一度確定して初期ファイルを作成してください。", "確定エラー",
    0x40};
const RecordedMessageBox kDiscardQuestion{"データが変更されています。\n破棄してよろしいですか？",
                                          "確認画面", 0x21};
const RecordedMessageBox kConfirmedQuestion{
    "登録フォルダを確定しました。\nフォルダ登録画面を閉じますか？", "確定完了", 0x44};
const RecordedMessageBox kDeleteListQuestion{"フォルダリストを削除します。\nよろしいですか？",
                                             "フォルダリスト削除完了", 0x44};
constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;

// Each list's folders are named after the list, so that moved lists can be told apart.
ConfirmedFolderLists listsNamedByIndex(int count) {
  ConfirmedFolderLists lists;
  for (int k = 0; k < count; ++k) {
    const std::string n = std::to_string(k + 1);
    lists.lists[static_cast<std::size_t>(k)] =
        folders({{("list" + n + "a").c_str(), ("C:\\" + n + "\\a").c_str()},
                 {("list" + n + "b").c_str(), ("C:\\" + n + "\\b").c_str()}});
  }
  return lists;
}

class FolderEditorTest : public test::DialogTest {
 protected:
  TForm2& open(const Settings& h, const ConfirmedFolderLists& lists) {
    start(h, lists);
    return openEditor();
  }
  TForm2& openEditor() {
    app_->trayMenu().N11().onClick();
    return app_->Form2();
  }
  std::vector<std::string> names() { return app_->Form2().ListBox1().items(); }
  std::vector<std::string> paths() { return app_->Form2().ListBox2().items(); }
  std::vector<bool> tabsEnabled() {
    std::vector<bool> enabled;
    for (const Control& tab : app_->Form2().listTabs()) enabled.push_back(tab.enabled());
    return enabled;
  }
  void registerFolder(const std::string& name, const std::string& path) {
    type(app_->Form2().Edit1(), name);
    type(app_->Form2().Edit2(), path);
    click(app_->Form2().Button2());
  }
};

TEST_F(FolderEditorTest, OpeningShowsListOneWithItsFirstSlotInTheBoxes) {
  ConfirmedFolderLists lists = listsNamedByIndex(2);
  // A free slot between used ones is skipped; so is one that has a path but no name.
  lists.lists[0] = folders({{"a", "C:\\a"}, {"", ""}, {"c", "C:\\c"}, {"", "C:\\nameless"}});
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 1), lists);

  EXPECT_TRUE(editor.window().visible());
  EXPECT_EQ(names(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(paths(), (std::vector<std::string>{"C:\\a", "C:\\c"}));
  EXPECT_EQ(editor.ListBox1().itemIndex(), -1);
  EXPECT_EQ(editor.Edit1().caption(), "a");
  EXPECT_EQ(editor.Edit2().caption(), "C:\\a");
  EXPECT_EQ(tabsEnabled(), (std::vector<bool>{true, true, true, false, false}));
  EXPECT_TRUE(editor.Button14().enabled());
  EXPECT_EQ(editor.Panel1().color(), kColorButtonFace);
  // The marker lies 4 pixels up and left of tab "1".
  const Bounds& tab = editor.listTabs()[0].bounds();
  EXPECT_EQ(editor.Panel2().bounds(), (Bounds{tab.left - 4, tab.top - 4, 64, 25}));
  EXPECT_EQ(editor.shownList(), 0);
  EXPECT_FALSE(editor.changed());
  EXPECT_TRUE(boxes().empty());
}

TEST_F(FolderEditorTest, TabAvailabilityFollowsTheLastListIndex) {
  const struct {
    std::int8_t last;
    std::vector<bool> enabled;
    bool impossible;
  } cases[] = {
      {0, {true, true, false, false, false}, false},
      {1, {true, true, true, false, false}, false},
      {2, {true, true, true, true, false}, false},
      {3, {true, true, true, true, true}, false},
      {4, {true, true, true, true, true}, false},
      {5, {true, false, false, false, false}, true},
      // Read as an unsigned byte: 255.
      {-1, {true, false, false, false, false}, true},
  };
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 4), listsNamedByIndex(5));
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.last});
    click(editor.Button8());
    boxes().clear();
    app_->store().settings().lastListIndex = c.last;
    openEditor();
    EXPECT_EQ(tabsEnabled(), c.enabled);
    const std::vector<RecordedMessageBox> expected =
        c.impossible ? std::vector<RecordedMessageBox>{{"ありえないエラー！", "Quillmarten", 0}}
                     : std::vector<RecordedMessageBox>{};
    EXPECT_EQ(boxes(), expected);
  }
}

TEST_F(FolderEditorTest, RegisterAppendsUpToTwelveAndRefusesWhatCannotBeStored) {
  const auto kanji = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "表";
    return text;
  };
  const struct {
    const char* what;
    std::string name, path;
    std::vector<RecordedMessageBox> refusal;
  } cases[] = {
      {"blanks are a name", "   ", "C:\\x", {}},
      {"full-width blank", "　", "C:\\x", {}},
      {"empty name", "", "C:\\x", {{"登録データが設定されていません", "登録エラー", 0x10}}},
      {"empty path", "x", "", {{"登録データが設定されていません", "登録エラー", 0x10}}},
      {"31 bytes of name", kanji(15) + "a", "C:\\x", {}},
      {"32 bytes of name",
       kanji(16),
       "C:\\x",
       {{"フォルダ名が長すぎます。\n半角31文字（全角15文字）以内にしてください。", "登録エラー",
         0x10}}},
      {"259 bytes of path", "x", "C:\\" + kanji(128), {}},
      {"260 bytes of path",
       "x",
       "C:\\" + kanji(128) + "a",
       {{"保存先のパスが長すぎます。\n半角259文字（全角129文字）以内にしてください。", "登録エラー",
         0x10}}},
  };
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"first", "C:\\first"}});
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), lists);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    click(editor.Button8());
    openEditor();
    select(editor.ListBox1(), 0);
    boxes().clear();

    registerFolder(c.name, c.path);

    EXPECT_EQ(boxes(), c.refusal);
    const bool accepted = c.refusal.empty();
    EXPECT_EQ(names().size(), accepted ? 2u : 1u);
    EXPECT_EQ(editor.changed(), accepted);
    if (accepted) {
      EXPECT_EQ(names().back(), c.name);
      EXPECT_EQ(paths().back(), c.path);
    }
    // The boxes keep their text and the selection stays where it was.
    EXPECT_EQ(editor.Edit1().caption(), c.name);
    EXPECT_EQ(editor.ListBox1().itemIndex(), 0);
  }
}

TEST_F(FolderEditorTest, TheTwelfthEntryIsTheLast) {
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), {});
  for (int i = 1; i <= 12; ++i) registerFolder("f" + std::to_string(i), "C:\\f");
  EXPECT_EQ(names().size(), 12u);
  EXPECT_TRUE(boxes().empty());

  registerFolder("f13", "C:\\f");
  EXPECT_EQ(names().size(), 12u);
  EXPECT_EQ(boxes(),
            (std::vector<RecordedMessageBox>{{"登録件数は12件までです", "登録エラー", 0x10}}));
  EXPECT_EQ(editor.Edit1().caption(), "f13");
}

TEST_F(FolderEditorTest, SelectModifyDeleteAndMove) {
  using Names = std::vector<std::string>;
  const struct {
    const char* what;
    int selected;  // -1: none
    bool changedBefore;
    Control& (TForm2::*button)();
    Names names;
    int selectedAfter;
    bool changedAfter;
  } cases[] = {
      {"up on the first", 0, false, &TForm2::Button4, {"a", "b", "c"}, 0, false},
      {"up on the first keeps a change", 0, true, &TForm2::Button4, {"a", "b", "c"}, 0, true},
      {"down on the last", 2, false, &TForm2::Button5, {"a", "b", "c"}, 2, false},
      {"up", 1, false, &TForm2::Button4, {"b", "a", "c"}, 0, true},
      {"down", 1, false, &TForm2::Button5, {"a", "c", "b"}, 2, true},
      {"up without selection", -1, false, &TForm2::Button4, {"a", "b", "c"}, -1, false},
      {"delete", 1, false, &TForm2::Button3, {"a", "c"}, -1, true},
      {"delete without selection", -1, false, &TForm2::Button3, {"a", "b", "c"}, -1, false},
      {"modify", 2, false, &TForm2::Button6, {"a", "b", "new"}, 2, true},
      {"modify without selection", -1, false, &TForm2::Button6, {"a", "b", "c"}, -1, false},
  };
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}});
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), lists);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    click(editor.Button8());
    openEditor();
    if (c.changedBefore) {
      registerFolder("d", "C:\\d");
      click(editor.Button3());  // no selection yet: nothing happens
      ASSERT_EQ(names().size(), 4u);
      select(editor.ListBox1(), 3);
      click(editor.Button3());
    }
    ASSERT_EQ(editor.changed(), c.changedBefore);
    if (c.selected >= 0) select(editor.ListBox1(), c.selected);
    type(editor.Edit1(), "new");
    type(editor.Edit2(), "C:\\new");

    click((editor.*c.button)());

    EXPECT_EQ(names(), c.names);
    // The paths move with their names.
    std::vector<std::string> expectedPaths;
    for (const std::string& n : c.names) expectedPaths.push_back("C:\\" + n);
    EXPECT_EQ(paths(), expectedPaths);
    EXPECT_EQ(editor.ListBox1().itemIndex(), c.selectedAfter);
    EXPECT_EQ(editor.changed(), c.changedAfter);
    EXPECT_EQ(editor.Edit1().caption(), "new");
    EXPECT_TRUE(boxes().empty());
  }
}

TEST_F(FolderEditorTest, SelectingShowsTheEntryAndModifyRefusesEmptyTexts) {
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}, {"b", "C:\\b"}});
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), lists);
  select(editor.ListBox1(), 1);
  EXPECT_EQ(editor.Edit1().caption(), "b");
  EXPECT_EQ(editor.Edit2().caption(), "C:\\b");
  EXPECT_FALSE(editor.changed());

  type(editor.Edit2(), "");
  click(editor.Button6());
  EXPECT_EQ(
      boxes(),
      (std::vector<RecordedMessageBox>{{"修正データが設定されていません", "修正エラー", 0x10}}));
  EXPECT_EQ(paths(), (std::vector<std::string>{"C:\\a", "C:\\b"}));
  EXPECT_FALSE(editor.changed());
}

TEST_F(FolderEditorTest, BrowseFillsBothBoxesFromTheChosenFolder) {
  const struct {
    std::optional<std::string> chosen;
    const char* name;
    const char* path;
    const char* nextStart;
  } cases[] = {
      {std::nullopt, "keep", "keep", "C:\\"},
      {"C:\\images\\表示", "表示", "C:\\images\\表示", "C:\\images\\表示"},
      // 表 ends in the byte of "\": only a real separator cuts.
      {"D:\\表", "表", "D:\\表", "D:\\表"},
      {"C:\\", "", "C:\\", "C:\\"},
  };
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), listsNamedByIndex(1));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    click(editor.Button8());
    openEditor();
    type(editor.Edit1(), "keep");
    type(editor.Edit2(), "keep");
    fake_.interaction.folderDialogs.clear();
    fake_.interaction.folderAnswers = {c.chosen};
    click(editor.Button1());
    click(editor.Button1());  // cancelled: nothing changes
    EXPECT_EQ(editor.Edit1().caption(), c.name);
    EXPECT_EQ(editor.Edit2().caption(), c.path);
    EXPECT_EQ(fake_.interaction.folderDialogs, (std::vector<std::string>{"C:\\", c.nextStart}));
    EXPECT_EQ(names().size(), 2u);
    EXPECT_FALSE(editor.changed());
  }
}

TEST_F(FolderEditorTest, SwitchingListsAsksBeforeDroppingChanges) {
  const struct {
    const char* what;
    bool edit;
    int tab;
    std::vector<int> answers;
    std::vector<RecordedMessageBox> asked;
    int shownAfter;
  } cases[] = {
      {"shown tab does nothing", true, 0, {}, {}, 0},
      {"no changes", false, 2, {}, {}, 2},
      {"changes, OK", true, 1, {kOk}, {kDiscardQuestion}, 1},
      {"changes, Cancel", true, 1, {kCancel}, {kDiscardQuestion}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    app_.reset();
    TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 3), listsNamedByIndex(4));
    if (c.edit) registerFolder("new", "C:\\new");
    const std::vector<std::string> before = names();
    answer(c.answers);

    click(editor.listTabs()[static_cast<std::size_t>(c.tab)]);

    EXPECT_EQ(boxes(), c.asked);
    EXPECT_EQ(editor.shownList(), c.shownAfter);
    const Bounds& tab = editor.listTabs()[static_cast<std::size_t>(c.shownAfter)].bounds();
    EXPECT_EQ(editor.Panel2().bounds().left, tab.left - 4);
    EXPECT_EQ(editor.Panel2().bounds().top, tab.top - 4);
    EXPECT_EQ(editor.Panel1().color(), look::listColor(c.shownAfter));
    if (c.shownAfter == 0) {
      EXPECT_EQ(names(), before);
      EXPECT_EQ(editor.changed(), c.edit);
    } else {
      const std::string n = std::to_string(c.shownAfter + 1);
      EXPECT_EQ(names(), (std::vector<std::string>{"list" + n + "a", "list" + n + "b"}));
      EXPECT_EQ(editor.Edit1().caption(), "list" + n + "a");
      EXPECT_EQ(editor.Edit2().caption(), "C:\\" + n + "\\a");
      EXPECT_FALSE(editor.changed());
    }
  }
}

TEST_F(FolderEditorTest, ConfirmOnTheFirstMissingListCreatesIt) {
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 1), listsNamedByIndex(2));
  click(editor.listTabs()[2]);
  EXPECT_FALSE(editor.Button14().enabled());
  EXPECT_TRUE(names().empty());
  EXPECT_EQ(editor.Edit1().caption(), "");

  click(editor.Button7());  // empty: refused, nothing saved
  EXPECT_EQ(boxes(),
            (std::vector<RecordedMessageBox>{{"データが設定されていません", "確定エラー", 0x10}}));
  EXPECT_EQ(fake_.files.writes, 0);

  boxes().clear();
  registerFolder("new", "C:\\new");
  answer({kNo});
  click(editor.Button7());

  EXPECT_EQ(boxes(), (std::vector<RecordedMessageBox>{kConfirmedQuestion}));
  const Bytes file = fileBytes();
  ASSERT_EQ(file.size(), test::kImageBytes);
  EXPECT_EQ(file[5], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[test::nameAt(2, 0)])), "new");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[test::pathAt(2, 0)])), "C:\\new");
  EXPECT_TRUE(editor.window().visible());
  EXPECT_FALSE(editor.changed());
  EXPECT_TRUE(editor.Button14().enabled());
  EXPECT_EQ(tabsEnabled(), (std::vector<bool>{true, true, true, true, false}));
  // The drop window now has three tabs.
  EXPECT_TRUE(app_->Form1().tabs()[2].visible());
}

TEST_F(FolderEditorTest, ConfirmPacksTheEntriesAndYesClosesTheEditor) {
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}, {"", ""}, {"c", "C:\\c"}, {"d", "C:\\d"}});
  lists.lists[1] = folders({{"other", "C:\\other"}});
  Settings h = header(kSaveAskName, kSizeNormal, 1);
  h.switchFlags = 0x21;
  h.soundPath.assign("C:\\s.wav");
  TForm2& editor = open(h, lists);
  select(editor.ListBox1(), 1);
  click(editor.Button3());  // deletes "c"
  answer({kYes});
  click(editor.Button7());

  Bytes expected = test::imageWithHeader(kSaveAskName, kSizeNormal, 0x21, 1);
  test::putBytes(expected, test::nameAt(0, 0), "a");
  test::putBytes(expected, test::pathAt(0, 0), "C:\\a");
  test::putBytes(expected, test::nameAt(0, 1), "d");
  test::putBytes(expected, test::pathAt(0, 1), "C:\\d");
  test::putBytes(expected, test::nameAt(1, 0), "other");
  test::putBytes(expected, test::pathAt(1, 0), "C:\\other");
  test::putBytes(expected, test::kSoundAt, "C:\\s.wav");
  EXPECT_EQ(fileBytes(), expected);
  EXPECT_FALSE(editor.window().visible());
  EXPECT_TRUE(names().empty());
  EXPECT_TRUE(paths().empty());
  EXPECT_EQ(app_->Form1().folderPanels()[1].caption(), "d");
  EXPECT_FALSE(app_->Form1().folderPanels()[2].visible());
}

TEST_F(FolderEditorTest, AFolderBeyondCodePage932IsSpeltBesideTheSettingsFileWhileItIsThere) {
  // "사진" and "C:\사진" as the edit boxes hand them over; 932 makes "??" of the name.
  const EncodedText name{"\xEC\x82\xAC\xEC\xA7\x84", TextEncoding::Utf8};
  const EncodedText path{"C:\\\xEC\x82\xAC\xEC\xA7\x84", TextEncoding::Utf8};
  const std::filesystem::path namesFile = fake_.folder.path() / "Quillmarten.names.txt";
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}});
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), lists);
  test::type(editor.Edit1(), name);
  test::type(editor.Edit2(), path);
  click(editor.Button2());
  answer({kNo});
  click(editor.Button7());

  Bytes expected = test::imageWithHeader(kSaveNumbered, kSizeSmall, 0, 0);
  test::putBytes(expected, test::nameAt(0, 0), "a");
  test::putBytes(expected, test::pathAt(0, 0), "C:\\a");
  test::putBytes(expected, test::nameAt(0, 1), "??");
  test::putBytes(expected, test::pathAt(0, 1), "C:\\??");
  EXPECT_EQ(fileBytes(), expected);
  EXPECT_TRUE(std::filesystem::exists(namesFile));
  EXPECT_EQ(app_->Form1().folderPanels()[1].captionText(), name);

  // Read again by a program started anew, the editor and the drop window spell it as typed.
  app_.reset();
  startWithoutFile();
  EXPECT_EQ(app_->Form1().folderPanels()[1].captionText(), name);
  openEditor();
  EXPECT_EQ(app_->Form2().ListBox1().itemTexts()[1], name);
  EXPECT_EQ(app_->Form2().ListBox2().itemTexts()[1], path);

  // Once no name needs it, the names file goes.
  select(app_->Form2().ListBox1(), 1);
  click(app_->Form2().Button3());
  answer({kNo});
  click(app_->Form2().Button7());
  EXPECT_FALSE(std::filesystem::exists(namesFile));
}

TEST_F(FolderEditorTest, DeleteListMovesTheLaterListsDown) {
  const struct {
    const char* what;
    int lists;
    int deleted;
    int dropWindowList;
    std::vector<int> remaining;  // old list numbers, from list 1
  } cases[] = {
      {"list 2 of four", 4, 1, 2, {1, 3, 4}},
      {"the last of five", 5, 4, 0, {1, 2, 3, 4}},
      {"list 1 of two, drop window on list 1", 2, 0, 0, {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    app_.reset();
    const auto last = static_cast<std::int8_t>(c.lists - 1);
    TForm2& editor = open(header(kSaveNumbered, kSizeSmall, last), listsNamedByIndex(c.lists));
    app_->Form1().SelectFolderList(static_cast<std::int8_t>(c.dropWindowList));
    if (c.deleted != 0) click(editor.listTabs()[static_cast<std::size_t>(c.deleted)]);
    registerFolder("unconfirmed", "C:\\u");
    const Bytes before = fileBytes();
    answer({kNo});
    click(editor.Button14());  // No: nothing happens
    EXPECT_TRUE(editor.window().visible());
    EXPECT_EQ(fileBytes(), before);
    answer({kYes});
    click(editor.Button14());

    EXPECT_EQ(boxes(), (std::vector<RecordedMessageBox>{kDeleteListQuestion, kDeleteListQuestion}));
    Bytes expected = test::imageWithHeader(kSaveNumbered, kSizeSmall, 0, last - 1);
    for (std::size_t k = 0; k < c.remaining.size(); ++k) {
      const std::string n = std::to_string(c.remaining[k]);
      const int list = static_cast<int>(k);
      test::putBytes(expected, test::nameAt(list, 0), "list" + n + "a");
      test::putBytes(expected, test::pathAt(list, 0), "C:\\" + n + "\\a");
      test::putBytes(expected, test::nameAt(list, 1), "list" + n + "b");
      test::putBytes(expected, test::pathAt(list, 1), "C:\\" + n + "\\b");
    }
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_EQ(app_->Form1().currentFolderList(), 0);
    EXPECT_EQ(app_->Form1().folderPanels()[0].caption(),
              "list" + std::to_string(c.remaining[0]) + "a");
    EXPECT_FALSE(editor.window().visible());
    EXPECT_TRUE(app_->trayMenu().N8().enabled());
  }
}

TEST_F(FolderEditorTest, DeleteListRefusesTheOnlyList) {
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 0), listsNamedByIndex(1));
  click(editor.Button14());
  EXPECT_EQ(boxes(),
            (std::vector<RecordedMessageBox>{{"フォルダリストをすべて削除することはできません",
                                              "フォルダリスト削除エラー", 0x10}}));
  EXPECT_EQ(fake_.files.writes, 0);
  EXPECT_TRUE(editor.window().visible());
}

TEST_F(FolderEditorTest, EveryWayOfClosingDropsUnconfirmedEdits) {
  const struct {
    const char* what;
    void (TForm2::*close)();
  } cases[] = {
      {"cancel", &TForm2::Button8Click},
      {"close box", &TForm2::CloseCommand},
  };
  TForm2& editor = open(header(kSaveNumbered, kSizeSmall, 2), listsNamedByIndex(3));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    click(editor.listTabs()[3]);  // the list that does not exist yet
    registerFolder("new", "C:\\new");
    (editor.*c.close)();
    EXPECT_FALSE(editor.window().visible());
    EXPECT_TRUE(names().empty());
    EXPECT_TRUE(app_->trayMenu().N21().enabled());
    EXPECT_TRUE(boxes().empty());

    openEditor();
    EXPECT_EQ(editor.shownList(), 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"list1a", "list1b"}));
    EXPECT_TRUE(editor.Button14().enabled());
    EXPECT_FALSE(editor.changed());
  }
  EXPECT_EQ(fake_.files.writes, 0);
}

TEST_F(FolderEditorTest, WithoutSettingsFileTheFirstConfirmCreatesIt) {
  startWithoutFile();
  TForm2& editor = openEditor();
  EXPECT_EQ(names(), (std::vector<std::string>{"C:直下"}));
  EXPECT_EQ(editor.Edit2().caption(), "C:\\");

  for (std::size_t tab = 1; tab < 3; ++tab) click(editor.listTabs()[tab]);
  EXPECT_EQ(boxes(), (std::vector<RecordedMessageBox>{kFileMissingNotice, kFileMissingNotice}));
  EXPECT_EQ(editor.shownList(), 0);

  boxes().clear();
  registerFolder("pics", "C:\\pics");
  answer({kNo});
  click(editor.Button7());
  EXPECT_EQ(boxes(), (std::vector<RecordedMessageBox>{kConfirmedQuestion}));
  Bytes expected = test::imageWithHeader(kSaveNumbered, kSizeSmall, 0, 0);
  test::putBytes(expected, test::nameAt(0, 0), "C:直下");
  test::putBytes(expected, test::pathAt(0, 0), "C:\\");
  test::putBytes(expected, test::nameAt(0, 1), "pics");
  test::putBytes(expected, test::pathAt(0, 1), "C:\\pics");
  EXPECT_EQ(fileBytes(), expected);

  boxes().clear();
  click(editor.listTabs()[1]);
  EXPECT_TRUE(boxes().empty());
  EXPECT_EQ(editor.shownList(), 1);
}

TEST_F(FolderEditorTest, WithoutSettingsFileASaveElsewhereWritesEmptyLists) {
  startWithoutFile();
  app_->trayMenu().N1().onClick();
  EXPECT_EQ(fileBytes(), test::imageWithHeader(kSaveOverwrite, kSizeSmall, 0, 0));
  EXPECT_FALSE(app_->store().folderLists().settingsFileMissing);
  EXPECT_FALSE(app_->Form1().folderPanels()[0].visible());

  TForm2& editor = openEditor();
  EXPECT_TRUE(names().empty());
  EXPECT_EQ(editor.Edit1().caption(), "");
  click(editor.listTabs()[1]);
  EXPECT_TRUE(boxes().empty());
}

// The image of lists named by listsNamedByIndex, written out from the file layout: `lists` are
// the numbers of the lists in file order, `added` a folder appended to list `addedTo`.
Bytes imageOfNamedLists(std::int16_t mode, std::uint8_t flags, std::int8_t last,
                        const std::vector<int>& lists, int addedTo = -1) {
  Bytes image = test::imageWithHeader(mode, kSizeSmall, flags, last);
  for (std::size_t k = 0; k < lists.size(); ++k) {
    const std::string n = std::to_string(lists[k]);
    const int list = static_cast<int>(k);
    test::putBytes(image, test::nameAt(list, 0), "list" + n + "a");
    test::putBytes(image, test::pathAt(list, 0), "C:\\" + n + "\\a");
    test::putBytes(image, test::nameAt(list, 1), "list" + n + "b");
    test::putBytes(image, test::pathAt(list, 1), "C:\\" + n + "\\b");
  }
  if (addedTo >= 0) {
    const int slot = addedTo < static_cast<int>(lists.size()) ? 2 : 0;
    test::putBytes(image, test::nameAt(addedTo, slot), "new");
    test::putBytes(image, test::pathAt(addedTo, slot), "C:\\new");
  }
  return image;
}

// A save refused at Confirm, at the properties' OK or at Delete list does none of what follows
// a save: no confirmation, the dialog stays with the user's choices, and nothing of the change
// stays in memory. So the next save that works, whichever it is, writes what the user sees.
TEST_F(FolderEditorTest, ARefusedSaveChangesNothingAndTheNextSaveWritesWhatTheUserSees) {
  using Step = std::function<void()>;
  const Step confirmListTwo = [this] {
    click(openEditor().listTabs()[1]);
    registerFolder("new", "C:\\new");
    click(app_->Form2().Button7());
  };
  const Step confirmNewList = [this] {
    click(openEditor().listTabs()[3]);
    registerFolder("new", "C:\\new");
    click(app_->Form2().Button7());
  };
  const Step propertiesOk = [this] {
    app_->trayMenu().N8().onClick();
    click(app_->Form5().CheckBox1());  // the top edge off
    click(app_->Form5().Button1());
  };
  const Step deleteListTwo = [this] {
    click(openEditor().listTabs()[1]);
    click(app_->Form2().Button14());
  };
  const Step retryConfirm = [this] { click(app_->Form2().Button7()); };
  const Step retryOk = [this] { click(app_->Form5().Button1()); };
  const Step retryDelete = [this] { click(app_->Form2().Button14()); };
  // Closing the dialog and choosing another save mode from the tray saves everything again.
  const Step cancelEditorThenMode = [this] {
    click(app_->Form2().Button8());
    app_->trayMenu().N1().onClick();
  };
  const Step cancelPropertiesThenMode = [this] {
    click(app_->Form5().Button2());
    app_->trayMenu().N1().onClick();
  };
  const auto editor = [this]() -> const Window& { return app_->Form2().window(); };
  const auto properties = [this]() -> const Window& { return app_->Form5().window(); };
  const RecordedMessageBox saveError{"設定を保存できません", "SAVE ERROR", 0x10};
  const Bytes unchangedButMode = imageOfNamedLists(kSaveOverwrite, 0, 2, {1, 2, 3});

  const struct {
    const char* what;
    Step refused;
    std::vector<int> answers;  // to the boxes up to and including the refusal's
    std::vector<RecordedMessageBox> boxes;
    std::function<const Window&()> dialog;
    Step next;
    std::vector<int> nextAnswers;
    Bytes written;
  } cases[] = {
      {"Confirm, then a save elsewhere",
       confirmListTwo,
       {kOk},
       {saveError},
       editor,
       cancelEditorThenMode,
       {},
       unchangedButMode},
      {"Confirm, then Confirm again",
       confirmListTwo,
       {kOk},
       {saveError},
       editor,
       retryConfirm,
       {kYes},
       imageOfNamedLists(kSaveNumbered, 0, 2, {1, 2, 3}, 1)},
      {"Confirm of a new list, then a save elsewhere",
       confirmNewList,
       {kOk},
       {saveError},
       editor,
       cancelEditorThenMode,
       {},
       unchangedButMode},
      {"Confirm of a new list, then Confirm again",
       confirmNewList,
       {kOk},
       {saveError},
       editor,
       retryConfirm,
       {kYes},
       imageOfNamedLists(kSaveNumbered, 0, 3, {1, 2, 3}, 3)},
      {"properties OK, then a save elsewhere",
       propertiesOk,
       {kOk},
       {saveError},
       properties,
       cancelPropertiesThenMode,
       {},
       unchangedButMode},
      {"properties OK, then OK again",
       propertiesOk,
       {kOk},
       {saveError},
       properties,
       retryOk,
       {},
       imageOfNamedLists(kSaveNumbered, 0x08, 2, {1, 2, 3})},
      {"Delete list, then a save elsewhere",
       deleteListTwo,
       {kYes, kOk},
       {kDeleteListQuestion, saveError},
       editor,
       cancelEditorThenMode,
       {},
       unchangedButMode},
      {"Delete list, then Delete list again",
       deleteListTwo,
       {kYes, kOk},
       {kDeleteListQuestion, saveError},
       editor,
       retryDelete,
       {kYes},
       imageOfNamedLists(kSaveNumbered, 0, 1, {1, 3})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(header(kSaveNumbered, kSizeSmall, 2), listsNamedByIndex(3));
    const Bytes before = fileBytes();
    ASSERT_EQ(before, imageOfNamedLists(kSaveNumbered, 0, 2, {1, 2, 3}));
    fake_.files.replaceFault = DiskFileSystem::ReplaceFault::CannotCreate;
    answer(c.answers);

    c.refused();

    EXPECT_EQ(boxes(), c.boxes);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(c.dialog().visible());
    // Memory holds what the file holds, and the drop window still offers list 1 from it.
    const auto image =
        settings_file::buildImage(app_->store().settings(), app_->store().folderLists());
    EXPECT_EQ(Bytes(image.begin(), image.end()), before);
    EXPECT_EQ(app_->Form1().folderPanels()[0].caption(), "list1a");

    fake_.files.replaceFault = DiskFileSystem::ReplaceFault::None;
    boxes().clear();
    answer(c.nextAnswers);
    c.next();
    EXPECT_EQ(fileBytes(), c.written);
    EXPECT_EQ(std::count(boxes().begin(), boxes().end(), saveError), 0);
    app_.reset();
  }
}

}  // namespace
}  // namespace qm
