#include "shell/TrayMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/Win32Codes.h"
#include "shell/Application.h"
#include "shell/StartWithWindows.h"

namespace qm {
namespace {

using test::folders;
using test::header;

class TrayMenuTest : public ::testing::Test {
 protected:
  Application& start(const Settings& h) {
    ConfirmedFolderLists lists;
    lists.lists[0] = folders({{"a", "C:\\a"}, {"b", "C:\\b"}});
    fake_.folder.writeSettings(h, lists);
    return start();
  }
  Application& start() {
    app_.emplace(fake_.platform);
    return *app_;
  }
  std::vector<std::string> checkedItems() {
    std::vector<std::string> names;
    for (const MenuItem* submenu : {&app_->trayMenu().N21(), &app_->trayMenu().N31()}) {
      for (const MenuItem* item : submenu->items()) {
        if (item->checked()) names.push_back(item->name());
      }
    }
    return names;
  }

  test::FakePlatform<> fake_;
  std::optional<Application> app_;
};

struct FlatItem {
  std::string name;
  std::string caption;
  MenuItemKind kind;
  int depth;
  friend bool operator==(const FlatItem&, const FlatItem&) = default;
};

void flatten(const MenuItem& item, int depth, std::vector<FlatItem>& out) {
  for (const MenuItem* child : item.items()) {
    out.push_back({child->name(), child->caption(), child->kind(), depth});
    flatten(*child, depth + 1, out);
  }
}

TEST_F(TrayMenuTest, MenuHoldsTheCommandsInOrder) {
  Application& app = start(header(kSaveNumbered, kSizeNormal, 0));
  std::vector<FlatItem> items;
  flatten(app.trayMenu().PopupMenu1(), 0, items);
  const auto command = MenuItemKind::Command, check = MenuItemKind::CheckItem;
  const std::vector<FlatItem> expected{
      {"N11", "保存先フォルダ登録(&M)...", command, 0},
      {"N21", "ドロップウィンドウサイズ", MenuItemKind::Submenu, 0},
      {"N4", "小さい", check, 1},
      {"N5", "普通", check, 1},
      {"N6", "大きい", check, 1},
      {"N31", "保存モード", MenuItemKind::Submenu, 0},
      {"N1", "上書き", check, 1},
      {"N2", "別名保存", check, 1},
      {"N3", "ファイル名入力", check, 1},
      {"N8", "プロパティ(&P)...", command, 0},
      {"N7", "バージョン情報(&V)...", command, 0},
      {"N12", "", MenuItemKind::Separator, 0},
      {"U1", "直前の保存を元に戻す(&U)", command, 0},
      {"O1", "最後に保存したフォルダを開く(&O)", command, 0},
      {"StartWithWindows", "Windows 起動時に開始(&S)", check, 0},
      {"N13", "", MenuItemKind::Separator, 0},
      {"E1", "終了(&E)", command, 0},
  };
  EXPECT_EQ(items, expected);
  EXPECT_EQ(app.trayMenu().PopupMenu1().kind(), MenuItemKind::Popup);
  EXPECT_EQ(&app.trayMenu().TrayIcon1().popupMenu(), &app.trayMenu().PopupMenu1());
  EXPECT_EQ(app.trayMenu().TrayIcon1().tip(), "Quillmarten");
}

TEST_F(TrayMenuTest, ChoosingSizeOrModeSavesOnlyAChange) {
  const struct {
    const char* item;
    int writes;
    std::vector<std::string> checked;
    int panelHeight;
    const char* modeText;
  } cases[] = {
      {"N5", 0, {"N5", "N3"}, 25, "ﾌｧｲﾙ名入力モード"},
      {"N3", 0, {"N5", "N3"}, 25, "ﾌｧｲﾙ名入力モード"},
      {"N4", 1, {"N4", "N3"}, 17, "ﾌｧｲﾙ名入力モード"},
      {"N6", 1, {"N6", "N3"}, 33, "ﾌｧｲﾙ名入力モード"},
      {"N1", 1, {"N5", "N1"}, 25, "  上書きモード"},
      {"N2", 1, {"N5", "N2"}, 25, " 別名保存モード"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    app_.reset();
    Application& app = start(header(kSaveAskName, kSizeNormal, 0));
    TrayMenu& menu = app.trayMenu();
    MenuItem* items[] = {&menu.N1(), &menu.N2(), &menu.N3(), &menu.N4(), &menu.N5(), &menu.N6()};
    const int writes = fake_.files.writes;
    for (MenuItem* item : items) {
      if (item->name() == c.item) item->onClick();
    }
    EXPECT_EQ(fake_.files.writes - writes, c.writes);
    EXPECT_EQ(checkedItems(), c.checked);
    EXPECT_EQ(std::filesystem::file_size(fake_.folder.settingsPath()), 17796u);
    EXPECT_EQ(app.Form1().folderPanels()[0].bounds().height, c.panelHeight);
    EXPECT_EQ(app.Form1().Label1().caption(), c.modeText);
  }
}

TEST_F(TrayMenuTest, ChoiceThatCannotBeSavedKeepsTheOldValueAndItsMark) {
  Application& app = start(header(kSaveAskName, kSizeNormal, 0));
  fake_.files.diskFullAfter = 0;
  app.trayMenu().N6().onClick();
  app.trayMenu().N1().onClick();
  ASSERT_EQ(fake_.interaction.messageBoxes.size(), 2u);
  EXPECT_EQ(fake_.interaction.messageBoxes[0].text, "設定を保存できません");
  // What the file holds stays in effect, so a later refresh cannot change it without a word.
  EXPECT_EQ(checkedItems(), (std::vector<std::string>{"N5", "N3"}));
  EXPECT_EQ(app.Form1().settings().saveMode, kSaveAskName);
  EXPECT_EQ(app.Form1().settings().dropWindowSize, kSizeNormal);
  EXPECT_EQ(app.Form1().Label1().caption(), "ﾌｧｲﾙ名入力モード");
  app.Form1().Refresh();
  EXPECT_EQ(checkedItems(), (std::vector<std::string>{"N5", "N3"}));
}

TEST_F(TrayMenuTest, FirstChoiceWithoutFileCreatesItFromTheEmptyFolderLists) {
  Application& app = start();
  ASSERT_EQ(app.Form1().window().bounds().height, 31);
  app.trayMenu().N1().onClick();
  EXPECT_EQ(std::filesystem::file_size(fake_.folder.settingsPath()), 17796u);
  EXPECT_EQ(app.Form1().Label1().caption(), "  上書きモード");
  EXPECT_EQ(checkedItems(), (std::vector<std::string>{"N4", "N1"}));
  EXPECT_FALSE(app.Form1().folderPanels()[0].visible());
  EXPECT_EQ(app.Form1().window().bounds().height, 14);
}

TEST_F(TrayMenuTest, DialogCommandsOpenOnceThenBringToFront) {
  Application& app = start(header(kSaveNumbered, kSizeSmall, 0));
  const struct {
    MenuItem& item;
    Window& window;
  } cases[] = {
      {app.trayMenu().N11(), app.Form2().window()},
      {app.trayMenu().N7(), app.Form3().window()},
      {app.trayMenu().N8(), app.Form5().window()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item.name());
    c.item.onClick();
    EXPECT_TRUE(c.window.visible());
    EXPECT_EQ(fake_.toolkit.count(c.window, WindowAction::BringToFront), 0);
    c.item.onClick();
    EXPECT_TRUE(c.window.visible());
    EXPECT_EQ(fake_.toolkit.count(c.window, WindowAction::BringToFront), 1);
  }
}

TEST_F(TrayMenuTest, PropertiesCommandTicksTheBoxesByTheSwitchFlags) {
  // Boxes in the order Ctrl, F12, L gesture, square gesture, top, bottom, left, right.
  const struct {
    std::uint8_t flags;
    std::vector<bool> ticked;
  } cases[] = {
      {0x00, {true, true, false, false, true, true, true, true}},
      {0xCF, {false, false, false, false, false, false, false, false}},
      {0x30, {true, true, true, true, true, true, true, true}},
      {0x81, {false, true, false, false, true, true, true, false}},
      {0x12, {true, true, false, true, true, true, false, true}},
  };
  Application& app = start(header(kSaveNumbered, kSizeSmall, 0));
  TForm5& form = app.Form5();
  Control* boxes[] = {&form.CheckBox5(), &form.CheckBox7(), &form.CheckBox8(), &form.CheckBox9(),
                      &form.CheckBox1(), &form.CheckBox2(), &form.CheckBox3(), &form.CheckBox4()};
  std::vector<int> reactions(std::size(boxes), 0);
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    boxes[i]->onClick = [&reactions, i] { ++reactions[i]; };
  }
  std::vector<bool> before{true, true, false, false, true, true, true, true};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int{c.flags});
    app.store().settings().switchFlags = c.flags;
    app.store().settings().soundPath.assign("C:\\sounds\\保存.wav");
    std::fill(reactions.begin(), reactions.end(), 0);

    app.trayMenu().N8().onClick();

    std::vector<bool> ticked;
    for (const Control* box : boxes) ticked.push_back(box->checked());
    EXPECT_EQ(ticked, c.ticked);
    // A box runs its click reaction only when its tick changes.
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
      EXPECT_EQ(reactions[i], before[i] != c.ticked[i] ? 1 : 0) << boxes[i]->name();
    }
    EXPECT_EQ(form.Edit2().caption(), "C:\\sounds\\保存.wav");
    EXPECT_TRUE(form.window().visible());
    before = c.ticked;
  }
}

using Bytes = std::vector<std::uint8_t>;
using RegistryValues = std::map<FakeUserRegistry::Place, FakeUserRegistry::Value>;

const FakeUserRegistry::Place kRun{StartWithWindows::kRunKey, "Quillmarten"};
const FakeUserRegistry::Place kApproved{StartWithWindows::kApprovedKey, "Quillmarten"};
constexpr const char* kExe = "C:\\Program Files\\Quillmarten\\Quillmarten.exe";
const std::string kQuotedExe = std::string("\"") + kExe + "\"";
// The startup-apps list's entry: turned off by the user (with the time), on as Windows writes it.
const Bytes kApprovedOff{0x03, 0, 0, 0, 0x10, 0x2a, 0x51, 0x77, 0x3c, 0x6b, 0xda, 0x01};
const Bytes kApprovedOn{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST_F(TrayMenuTest, StartWithWindowsFollowsTheRunValueAndChoosingItTurnsItTheOtherWay) {
  const struct {
    const char* what;
    RegistryValues before;
    bool checked;
    RegistryValues after;  // once the item is chosen
  } cases[] = {
      {"off until the user chooses it", {}, false, {{kRun, kQuotedExe}}},
      {"on: the value names this exe", {{kRun, kQuotedExe}}, true, {}},
      {"on: unquoted, in another case",
       {{kRun, std::string("c:\\program files\\quillmarten\\QUILLMARTEN.EXE")}},
       true,
       {}},
      {"on: with an argument after it", {{kRun, kQuotedExe + " /tray"}}, true, {}},
      {"off: the value names a copy elsewhere",
       {{kRun, std::string("\"D:\\Old\\Quillmarten.exe\"")}},
       false,
       {{kRun, kQuotedExe}}},
      {"off: the value names a longer path",
       {{kRun, kQuotedExe.substr(0, kQuotedExe.size() - 1) + ".bak\""}},
       false,
       {{kRun, kQuotedExe}}},
      {"off: an empty value", {{kRun, std::string()}}, false, {{kRun, kQuotedExe}}},
      {"off: a value that is not text", {{kRun, Bytes{'C', ':'}}}, false, {{kRun, kQuotedExe}}},
      {"off in the startup-apps list: choosing turns it on there too",
       {{kRun, kQuotedExe}, {kApproved, kApprovedOff}},
       false,
       {{kRun, kQuotedExe}, {kApproved, kApprovedOn}}},
      {"off in the list without a value: both are made",
       {{kApproved, kApprovedOff}},
       false,
       {{kRun, kQuotedExe}, {kApproved, kApprovedOn}}},
      {"on in the list: turning off leaves the list alone",
       {{kRun, kQuotedExe}, {kApproved, kApprovedOn}},
       true,
       {{kApproved, kApprovedOn}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    app_.reset();
    fake_.registry.values = c.before;
    fake_.registry.changes = 0;
    Application& app = start(header(kSaveNumbered, kSizeSmall, 0));
    MenuItem& item = app.trayMenu().StartWithWindowsItem();
    EXPECT_EQ(item.checked(), c.checked);
    EXPECT_EQ(fake_.registry.values, c.before);  // starting writes nothing

    item.onClick();

    EXPECT_EQ(fake_.registry.values, c.after);
    EXPECT_EQ(item.checked(), !c.checked);
    EXPECT_TRUE(fake_.interaction.messageBoxes.empty());
  }
}

TEST_F(TrayMenuTest, StartWithWindowsIsReadAgainWhenTheMenuOpensAndAFailureSaysWhy) {
  Application& app = start(header(kSaveNumbered, kSizeSmall, 0));
  MenuItem& item = app.trayMenu().StartWithWindowsItem();
  ASSERT_FALSE(item.checked());
  // Turned on and off elsewhere (the startup-apps settings, Task Manager).
  fake_.registry.values = {{kRun, kQuotedExe}};
  app.trayMenu().TrayIcon1().onMenuOpening();
  EXPECT_TRUE(item.checked());
  fake_.registry.values[kApproved] = kApprovedOff;
  app.trayMenu().TrayIcon1().onMenuOpening();
  EXPECT_FALSE(item.checked());

  // A key the user may not change (a policy): the system's reason, and nothing changes.
  fake_.registry.values.clear();
  fake_.registry.changeError = 5;
  item.onClick();
  EXPECT_EQ(
      fake_.interaction.messageBoxes,
      (std::vector<RecordedMessageBox>{{"system message 5", "Quillmarten", kMbOk | kMbIconError}}));
  EXPECT_TRUE(fake_.registry.values.empty());
  EXPECT_FALSE(item.checked());
}

TEST_F(TrayMenuTest, ExitClosesTheDropWindow) {
  Application& app = start(header(kSaveNumbered, kSizeSmall, 0));
  app.trayMenu().E1().onClick();
  EXPECT_EQ(fake_.toolkit.count(app.mainWindow(), WindowAction::Close), 1);
  EXPECT_EQ(&app.mainWindow(), &app.Form1().window());
}

}  // namespace
}  // namespace qm
