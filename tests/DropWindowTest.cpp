#include "dropwindow/Qmt.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "settings/SettingsStore.h"

namespace qm {
namespace {

using test::folders;
using test::header;

class RecordedMarks : public SettingsMarks {
 public:
  void markSaveMode(std::int16_t mode) override { saveMode = mode; }
  void markDropWindowSize(std::int16_t size) override { dropWindowSize = size; }
  int saveMode = -1;
  int dropWindowSize = -1;
};

class DropWindowTest : public ::testing::Test {
 protected:
  TForm1& create() {
    form_.emplace(fake_.platform, store_, marks_);
    return *form_;
  }
  void writeSettings(const Settings& h, const ConfirmedFolderLists& lists) {
    fake_.folder.writeSettings(h, lists);
  }

  static std::vector<bool> visibility(auto& controls) {
    std::vector<bool> shown;
    for (const Control& c : controls) shown.push_back(c.visible());
    return shown;
  }
  int updatesSoFar() {
    TForm1& f = *form_;
    int total = fake_.toolkit.updates(&f.window()) + fake_.toolkit.updates(&f.Label1()) +
                fake_.toolkit.updates(&f.ButtonPanel());
    for (const Control& c : f.folderPanels()) total += fake_.toolkit.updates(&c);
    for (const Control& c : f.tabs()) total += fake_.toolkit.updates(&c);
    return total;
  }

  test::FakePlatform<> fake_;
  SettingsStore store_{fake_.files, fake_.interaction};
  RecordedMarks marks_;
  std::optional<TForm1> form_;
};

// Each list's first folder is named after the list, so the shown list can be told apart.
ConfirmedFolderLists listsNamedByIndex() {
  ConfirmedFolderLists lists;
  const char* names[] = {"list0", "list1", "list2", "list3", "list4"};
  for (std::size_t k = 0; k < lists.lists.size(); ++k) {
    lists.lists[k] = folders({{names[k], "C:\\a"}, {"second", "C:\\b"}});
  }
  return lists;
}

struct LayoutCase {
  const char* what;
  FolderList slots;
  std::int16_t saveMode;
  std::int16_t size;
  std::int8_t lastList;
  int windowHeight;
  int labelTop;
  int stripTop;
  std::vector<bool> panelsShown;
  std::vector<bool> tabsShown;
  const char* modeText;
  // At another screen density: the lengths that do not follow the settings.
  int dpi = kDesignDpi;
  int width = 114;
  int labelLeft = 16;
  int panelLeft = 1;
  int panelWidth = 112;
  int panelHeight = 0;  // 0: the size's height at 96 DPI
};

std::vector<bool> firstShown(std::size_t shown, std::size_t of) {
  std::vector<bool> v(of, false);
  for (std::size_t i = 0; i < shown; ++i) v[i] = true;
  return v;
}

TEST_F(DropWindowTest, RefreshLaysOutTheLeadingFoldersLabelAndTabs) {
  FolderList twelve{};
  for (std::size_t i = 0; i < twelve.size(); ++i) {
    twelve[i].name.assign("folder" + std::to_string(i + 1));
    twelve[i].path.assign("C:\\f" + std::to_string(i + 1));
  }
  const FolderList gap = folders(
      {{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}, {"d", ""}, {"e", "C:\\e"}, {"f", "C:\\f"}});
  const LayoutCase cases[] = {
      {"twelve large, five lists", twelve, kSaveOverwrite, kSizeLarge, 4, 431, 398, 409,
       firstShown(12, 12), firstShown(5, 5), "  上書きモード"},
      {"three small, one list", folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}}),
       kSaveNumbered, kSizeSmall, 0, 65, 53, 64, firstShown(3, 12), firstShown(0, 5),
       " 別名保存モード"},
      {"empty path ends the folders", gap, kSaveAskName, kSizeNormal, 1, 110, 77, 88,
       firstShown(3, 12), firstShown(2, 5), "ﾌｧｲﾙ名入力モード"},
      {"no folder, three lists", FolderList{}, kSaveNumbered, kSizeNormal, 2, 35, 2, 13,
       firstShown(0, 12), firstShown(3, 5), " 別名保存モード"},
      {"twelve large, five lists, 125 %", twelve, kSaveOverwrite, kSizeLarge, 4, 536, 495, 509,
       firstShown(12, 12), firstShown(5, 5), "  上書きモード", 120, 143, 20, 1, 140, 41},
      {"three small, one list, 150 %", folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}}),
       kSaveNumbered, kSizeSmall, 0, 99, 81, 98, firstShown(3, 12), firstShown(0, 5),
       " 別名保存モード", 144, 171, 24, 2, 168, 26},
      {"empty path ends the folders, 200 %", gap, kSaveAskName, kSizeNormal, 1, 220, 154, 176,
       firstShown(3, 12), firstShown(2, 5), "ﾌｧｲﾙ名入力モード", 192, 228, 32, 2, 224, 50},
      {"twelve large, five lists, back at 96 DPI", twelve, kSaveOverwrite, kSizeLarge, 4, 431, 398,
       409, firstShown(12, 12), firstShown(5, 5), "  上書きモード"},
  };
  // Each case lays out a window that showed all twelve folders and five tabs before.
  ConfirmedFolderLists lists;
  lists.lists[0] = twelve;
  writeSettings(header(kSaveOverwrite, kSizeLarge, 4), lists);
  TForm1& form = create();
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.what);
    lists.lists[0] = c.slots;
    writeSettings(header(c.saveMode, c.size, c.lastList), lists);
    form.window().takeDpi(c.dpi);
    form.Refresh();

    EXPECT_EQ(form.window().bounds().height, c.windowHeight);
    EXPECT_EQ(form.window().bounds().width, c.width);
    EXPECT_EQ(form.Label1().bounds().top, c.labelTop);
    EXPECT_EQ(form.Label1().bounds().left, c.labelLeft);
    EXPECT_EQ(form.Label1().caption(), c.modeText);
    EXPECT_EQ(form.ButtonPanel().bounds().top, c.stripTop);
    EXPECT_EQ(visibility(form.folderPanels()), c.panelsShown);
    EXPECT_EQ(visibility(form.tabs()), c.tabsShown);
    const int height = c.panelHeight != 0      ? c.panelHeight
                       : c.size == kSizeLarge  ? 33
                       : c.size == kSizeNormal ? 25
                                               : 17;
    for (std::size_t i = 0; i < c.panelsShown.size() && c.panelsShown[i]; ++i) {
      const Control& panel = form.folderPanels()[i];
      EXPECT_EQ(panel.caption(), c.slots[i].name.str()) << i;
      EXPECT_EQ(panel.bounds(),
                (Bounds{c.panelLeft, static_cast<int>(i) * height, c.panelWidth, height}))
          << i;
    }
    // The tabs meet edge to edge at every density.
    const Bounds& firstTab = form.tabs()[0].bounds();
    EXPECT_EQ(form.tabs()[4].bounds().left, firstTab.left + 4 * firstTab.width);
    EXPECT_EQ(marks_.saveMode, c.saveMode);
    EXPECT_EQ(marks_.dropWindowSize, c.size);
  }
}

TEST_F(DropWindowTest, LaysOutForTheDensityItIsMadeAtAndAgainWhenThatChanges) {
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}});
  writeSettings(header(kSaveNumbered, kSizeSmall, 1), lists);
  fake_.toolkit.dpi = 144;
  TForm1& form = create();
  const struct {
    int dpi;
    Bounds window;
    Bounds secondPanel;
    Bounds label;
    Bounds strip;
    Bounds secondTab;
  } steps[] = {
      {144,
       {0, 0, 171, 131},
       {2, 26, 168, 26},
       {24, 81, 146, 17},
       {2, 98, 168, 32},
       {35, 2, 32, 23}},
      {96, {0, 0, 114, 86}, {1, 17, 112, 17}, {16, 53, 97, 11}, {1, 64, 112, 21}, {23, 1, 21, 15}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.dpi);
    const int reads = fake_.files.reads;
    form.window().takeDpi(s.dpi);
    EXPECT_EQ(form.window().bounds(), s.window);
    EXPECT_EQ(form.folderPanels()[1].bounds(), s.secondPanel);
    EXPECT_EQ(form.Label1().bounds(), s.label);
    EXPECT_EQ(form.ButtonPanel().bounds(), s.strip);
    EXPECT_EQ(form.tabs()[1].bounds(), s.secondTab);
    // Laid out from the settings it holds: the file is not read again.
    EXPECT_EQ(fake_.files.reads, reads);
  }
  EXPECT_TRUE(fake_.interaction.messageBoxes.empty());
}

TEST_F(DropWindowTest, WithoutSettingsFileOffersTheDefaultFolderAtEveryRefresh) {
  // A file seen first, so that the default layout meets panels laid out at the large height.
  ConfirmedFolderLists lists;
  lists.lists[0] =
      folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}, {"d", "C:\\d"}, {"e", "C:\\e"}});
  writeSettings(header(kSaveOverwrite, kSizeLarge, 3), lists);
  TForm1& form = create();
  ASSERT_TRUE(fake_.interaction.messageBoxes.empty());

  fake_.folder.removeSettings();
  form.Refresh();
  form.Refresh();

  const RecordedMessageBox missing{"設定ファイルが見つかりません。\n初期値で起動します。",
                                   "Quillmarten", 0x00};
  EXPECT_EQ(fake_.interaction.messageBoxes, std::vector<RecordedMessageBox>(2, missing));
  const auto& panels = form.folderPanels();
  EXPECT_EQ(panels[0].caption(), "C:直下");
  EXPECT_EQ(panels[0].bounds().height, 17);
  EXPECT_TRUE(panels[0].visible());
  EXPECT_FALSE(panels[1].visible());
  // The panels further down keep what they had; they lie below the window's bottom edge.
  EXPECT_TRUE(panels[2].visible());
  EXPECT_EQ(panels[2].bounds(), (Bounds{1, 66, 112, 33}));
  EXPECT_EQ(form.window().bounds().height, 31);
  EXPECT_EQ(form.Label1().bounds().top, 19);
  EXPECT_EQ(form.Label1().caption(), " 別名保存モード");
  EXPECT_EQ(form.ButtonPanel().bounds().top, 30);
  EXPECT_EQ(visibility(form.tabs()), firstShown(0, 5));
  EXPECT_EQ(marks_.saveMode, kSaveNumbered);
  EXPECT_EQ(marks_.dropWindowSize, kSizeSmall);
}

TEST_F(DropWindowTest, CaptionSizeFollowsTheNameLengthInBytes) {
  const struct {
    const char* name;
    std::size_t bytes;
    int points;
  } cases[] = {
      {"ＡＢＣＤＥＦＧＨＩ1", 19, 9},
      {"あいうえおかきくけこ", 20, 8},
      {"あいうえおかきくけこさx", 23, 8},
      {"あいうえおかきくけこさし", 24, 7},
      {"abcdefghijklmnopqrs", 19, 9},
      {"abcdefghijklmnopqrst", 20, 8},
      {"short", 5, 9},
  };
  ConfirmedFolderLists lists;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    lists.lists[0][i].name.assign(cases[i].name);
    lists.lists[0][i].path.assign("C:\\x");
  }
  writeSettings(header(kSaveOverwrite, kSizeNormal, 0), lists);
  TForm1& form = create();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ASSERT_EQ(std::string(cases[i].name).size(), cases[i].bytes) << cases[i].name;
    EXPECT_EQ(form.folderPanels()[i].font().pointSize, cases[i].points) << cases[i].name;
    EXPECT_EQ(form.folderPanels()[i].font().face, "ＭＳ Ｐゴシック");
  }

  // A panel that showed a long name shrinks its caption back for a short one.
  lists.lists[0][3].name.assign("d");
  writeSettings(header(kSaveOverwrite, kSizeNormal, 0), lists);
  form.Refresh();
  EXPECT_EQ(form.folderPanels()[3].font().pointSize, 9);
}

TEST_F(DropWindowTest, SelectNextFolderListWrapsAndAlwaysRereads) {
  const struct {
    std::int8_t lastList;
    std::int8_t from;
    std::int8_t to;
  } cases[] = {{2, 2, 0}, {2, 0, 1}, {4, 3, 4}, {0, 0, 0}};
  writeSettings(header(kSaveOverwrite, kSizeSmall, 4), listsNamedByIndex());
  TForm1& form = create();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "last " << int{c.lastList} << " from " << int{c.from});
    writeSettings(header(kSaveOverwrite, kSizeSmall, c.lastList), listsNamedByIndex());
    form.SelectFolderList(c.from);
    form.Refresh();
    const int reads = fake_.files.reads;

    form.SelectNextFolderList();

    EXPECT_EQ(form.currentFolderList(), c.to);
    EXPECT_EQ(fake_.files.reads, reads + 1);
    EXPECT_EQ(form.folderPanels()[0].caption(), "list" + std::to_string(c.to));
  }
}

TEST_F(DropWindowTest, SelectFolderListRefreshesOnlyForAnotherList) {
  writeSettings(header(kSaveOverwrite, kSizeSmall, 4), listsNamedByIndex());
  TForm1& form = create();
  const struct {
    std::int8_t target;
    std::int8_t current;
    int reads;
  } steps[] = {{0, 0, 0}, {3, 3, 1}, {3, 3, 0}, {1, 1, 1}, {5, 1, 0}, {-1, 1, 0}};
  for (const auto& s : steps) {
    SCOPED_TRACE(int{s.target});
    form.setPendingListSelection(2);
    const int reads = fake_.files.reads;
    form.SelectFolderList(s.target);
    EXPECT_EQ(form.currentFolderList(), s.current);
    EXPECT_EQ(fake_.files.reads - reads, s.reads);
    EXPECT_EQ(form.folderPanels()[0].caption(), "list" + std::to_string(s.current));
    // Only a refresh drops the pending selection.
    EXPECT_EQ(form.pendingListSelection(), s.reads ? TForm1::kNoPendingList : 2);
  }
}

TEST_F(DropWindowTest, PaintTabsMarksTheCurrentListsTab) {
  writeSettings(header(kSaveOverwrite, kSizeSmall, 4), listsNamedByIndex());
  TForm1& form = create();
  const Color face = kColorButtonFace, grey = rgb(128, 128, 128);
  const Color pink = rgb(255, 192, 203), red = rgb(255, 0, 0);
  const struct {
    std::int8_t current;
    bool hover;
  } cases[] = {{0, false}, {2, true}, {4, true}, {2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.current} << (c.hover ? " hover" : " normal"));
    form.SelectFolderList(c.current);
    form.PaintTabs(c.hover);
    for (std::size_t k = 0; k < form.tabs().size(); ++k) {
      const Control& tab = form.tabs()[k];
      const bool current = static_cast<int>(k) == c.current;
      EXPECT_EQ(tab.bevel(), current ? Bevel::Lowered : Bevel::Raised) << k;
      EXPECT_EQ(tab.color(), current && c.hover ? pink : face) << k;
      EXPECT_EQ(tab.textColor(), current && c.hover ? red : grey) << k;
    }
  }
}

TEST_F(DropWindowTest, RepeatingTheSameLayoutOrPaintReachesNoPeer) {
  ConfirmedFolderLists lists;
  lists.lists[0] = folders({{"a", "C:\\a"}, {"あいうえおかきくけこさし", "C:\\b"}, {"c", "C:\\c"}});
  writeSettings(header(kSaveAskName, kSizeLarge, 4), lists);
  TForm1& form = create();
  const int afterCreate = updatesSoFar();
  form.Refresh();
  EXPECT_EQ(updatesSoFar(), afterCreate);

  for (const bool hover : {false, true}) {
    form.PaintTabs(hover);
    const int painted = updatesSoFar();
    EXPECT_GT(painted, afterCreate);
    form.PaintTabs(hover);
    EXPECT_EQ(updatesSoFar(), painted) << hover;
  }
  // Every refresh registers the window for drops again, changed or not.
  EXPECT_EQ(fake_.toolkit.count(form.window(), WindowAction::AcceptDroppedFiles), 2);
}

}  // namespace
}  // namespace qm
