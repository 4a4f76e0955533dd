#include "dropwindow/DragWatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/Keys.h"
#include "platform/Win32Codes.h"
#include "shell/Application.h"

namespace qm {
namespace {

using test::folders;
using test::header;
using State = DragWatcher::State;

constexpr const char* kBrowser = "写真 - Mozilla Firefox";
constexpr Bounds kScreen{0, 0, 1280, 1024};

// The whole program over the fake platform, with three folder lists of three folders at the small
// size (so the window keeps its height when the list changes), replayed tick by tick.
class DragWatcherTest : public ::testing::Test {
 protected:
  explicit DragWatcherTest(std::uint8_t switchFlags = 0, const char* soundPath = "") {
    Settings h = header(kSaveNumbered, kSizeSmall, 2);
    h.switchFlags = switchFlags;
    h.soundPath.assign(soundPath);
    ConfirmedFolderLists lists;
    lists.lists[0] = folders({{"a", "C:\\a"}, {"b", "C:\\b"}, {"c", "C:\\c"}});
    lists.lists[1] = folders({{"d", "C:\\d"}, {"e", "C:\\e"}, {"f", "C:\\f"}});
    lists.lists[2] = folders({{"g", "C:\\g"}, {"h", "C:\\h"}, {"i", "C:\\i"}});
    fake_.folder.writeSettings(h, lists);
    fake_.input.monitors = {kScreen};
    fake_.input.title = kBrowser;
    fake_.input.cursor = Point{600, 500};
    app_.emplace(fake_.platform);
  }

  TForm1& form() { return app_->Form1(); }
  DragWatcher& watcher() { return app_->watcher(); }
  Window& dropWindow() { return form().window(); }
  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) form().Timer1().onTimer();
  }
  void hold(int key) { fake_.input.held.insert(key); }
  void release(int key) { fake_.input.held.erase(key); }
  void moveTo(Point p) { fake_.input.cursor = p; }
  // Button down over the browser, then to the right edge: the window comes up there.
  void dragToRightEdge() {
    hold(vk::kLeftButton);
    tick();
    moveTo({1279, 300});
    tick();
    ASSERT_EQ(watcher().state(), State::Shown);
  }
  std::string firstCaption() { return form().folderPanels()[0].caption(); }

  int formUpdates() {
    int total = fake_.toolkit.updates(&form().window()) + fake_.toolkit.updates(&form().Label1()) +
                fake_.toolkit.updates(&form().ButtonPanel()) +
                fake_.toolkit.updates(&app_->Form4().window());
    for (const Control& c : form().folderPanels()) total += fake_.toolkit.updates(&c);
    for (const Control& c : form().tabs()) total += fake_.toolkit.updates(&c);
    return total;
  }

  test::FakePlatform<> fake_;
  std::optional<Application> app_;
};

TEST_F(DragWatcherTest, ShowsOnlyOverABrowserNamedByTitleOrProgram) {
  const std::string filler(92, 'x');
  // 150 kanji: 300 bytes, read as 99.
  std::string longJapanese;
  for (int i = 0; i < 150; ++i) longJapanese += "画";
  const std::string chromePushedOut = std::string(84, 'x') + " - Google Chrome";
  const struct {
    const char* what;
    std::optional<std::string> title;
    bool shown;
    std::optional<std::wstring> program = std::nullopt;
  } cases[] = {
      {"Firefox", std::string(kBrowser), true},
      {"another browser of the list", std::string("Maxthon 3"), true},
      {"lower case", std::string("mozilla firefox"), false},
      {"no browser", std::string("メモ帳"), false},
      {"no foreground window", std::nullopt, false},
      {"Chrome", std::string("写真 - Google Chrome"), true},
      {"Edge, its zero-width space read as ?", std::string("新しいタブ - 個人 - Microsoft? Edge"),
       true},
      {"Brave", std::string("画像 - Brave"), true},
      {"Chrome in lower case", std::string("google chrome"), false},
      {"part of a name", std::string("Chrom"), false},
      {"Edge without its second word", std::string("Microsoft? Word"), false},
      {"name ends at byte 99", filler + "Firefox", true},
      {"name ends at byte 100", filler + "xFirefox", false},
      {"Chrome's name pushed out, program unknown", chromePushedOut, false},
      {"Chrome's name pushed out, Chrome's program", chromePushedOut, true,
       L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"},
      {"300-byte title, Chrome's program", longJapanese, true,
       L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"},
      {"program of Edge", longJapanese, true,
       L"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe"},
      {"program of Firefox", longJapanese, true,
       L"C:\\Program Files\\Mozilla Firefox\\firefox.exe"},
      {"program of Brave", longJapanese, true,
       L"C:\\Program Files\\BraveSoftware\\Brave-Browser\\Application\\brave.exe"},
      {"program of Vivaldi", longJapanese, true,
       L"C:\\Users\\user\\AppData\\Local\\Vivaldi\\Application\\vivaldi.exe"},
      {"program of Opera", longJapanese, true,
       L"C:\\Users\\user\\AppData\\Local\\Programs\\Opera\\opera.exe"},
      {"program of Internet Explorer", longJapanese, true,
       L"C:\\Program Files\\Internet Explorer\\iexplore.exe"},
      {"program of Floorp", longJapanese, true, L"C:\\Program Files\\Ablaze Floorp\\floorp.exe"},
      {"program of Waterfox", longJapanese, true, L"C:\\Program Files\\Waterfox\\waterfox.exe"},
      {"program of LibreWolf", longJapanese, true, L"C:\\Program Files\\LibreWolf\\librewolf.exe"},
      {"program of Zen", longJapanese, true, L"C:\\Program Files\\Zen Browser\\zen.exe"},
      {"program of Thorium", longJapanese, true,
       L"C:\\Users\\user\\AppData\\Local\\Thorium\\Application\\thorium.exe"},
      {"program of Arc, as its package names it", longJapanese, true,
       L"C:\\Program Files\\WindowsApps\\TheBrowserCompany.Arc_x64\\Arc.exe"},
      {"program of Sleipnir", longJapanese, true,
       L"C:\\Program Files\\Fenrir Inc\\Sleipnir\\bin\\sleipnir.exe"},
      {"program of Lunascape", longJapanese, true, L"C:\\Program Files\\Lunascape\\lunascape.exe"},
      {"program of Maxthon", longJapanese, true,
       L"C:\\Users\\user\\AppData\\Local\\Maxthon\\Application\\maxthon.exe"},
      {"program name in capitals", "メモ", true,
       L"C:\\PROGRAM FILES\\MOZILLA FIREFOX\\FIREFOX.EXE"},
      {"a Japanese folder", "メモ", true, L"C:\\Users\\山田\\表示ソフト\\ブラウザ\\vivaldi.exe"},
      {"a name that only contains a browser's", "メモ", false, L"C:\\Tools\\notchrome.exe"},
      {"a browser's name as a folder", "メモ", false, L"C:\\chrome.exe\\notepad.exe"},
      {"a browser's name with more after it", "メモ", false, L"C:\\Tools\\chrome.exe.bak"},
      {"full-width letters", "メモ", false, L"C:\\Tools\\ｃｈｒｏｍｅ.exe"},
      {"the program's name and no folder", "メモ", true, L"chrome.exe"},
      {"a program the system names empty", "メモ", false, L""},
      {"no foreground window, a browser's program", std::nullopt, false,
       L"C:\\Program Files\\Mozilla Firefox\\firefox.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake_.input.title = c.title;
    fake_.input.imagePath = c.program;
    fake_.input.imagePathReads = 0;
    hold(vk::kLeftButton);
    tick();  // no switch has fired: nothing is read
    moveTo({1279, 300});
    tick(3);
    EXPECT_EQ(dropWindow().visible(), c.shown);
    EXPECT_EQ(watcher().state(), c.shown ? State::Shown : State::Idle);
    // The program is asked for only where the title test has failed (rows shown by their title
    // have no program), once per deciding tick.
    const int deciding = c.shown ? 1 : 3;
    EXPECT_EQ(fake_.input.imagePathReads, !c.title || (c.shown && !c.program) ? 0 : deciding);
    release(vk::kLeftButton);
    tick(2);
    EXPECT_FALSE(dropWindow().visible());
    moveTo({600, 500});
  }
}

TEST_F(DragWatcherTest, ShowingPlacesLabelsAndBringsTheWindowToTheFront) {
  const int before = fake_.toolkit.count(dropWindow(), WindowAction::BringToFrontTopmost);
  dragToRightEdge();
  EXPECT_EQ(dropWindow().bounds().left, 1280 - 114);
  EXPECT_EQ(dropWindow().bounds().top, 300);
  EXPECT_EQ(form().Label1().caption(), " 別名保存モード");
  EXPECT_EQ(fake_.toolkit.count(dropWindow(), WindowAction::BringToFrontTopmost), before + 1);
}

// A second, shorter monitor to the right: its middle and the side it shares are no edges, and
// the window comes up on the monitor the pointer reached, kept by that monitor's bottom.
TEST_F(DragWatcherTest, OnlyASideWithNoMonitorBeyondIsAnEdge) {
  fake_.input.monitors = {kScreen, {1280, 0, 1024, 768}};
  hold(vk::kLeftButton);
  for (const Point through : {Point{1792, 384}, Point{1279, 300}, Point{1280, 300}}) {
    moveTo(through);
    tick(2);
    EXPECT_FALSE(dropWindow().visible()) << through.x << ", " << through.y;
  }
  moveTo({2303, 760});
  tick();
  ASSERT_EQ(watcher().state(), State::Shown);
  const Bounds& shown = dropWindow().bounds();
  EXPECT_EQ(shown.left, 2304 - 114);
  EXPECT_EQ(shown.top, 768 - shown.height);
}

TEST_F(DragWatcherTest, CtrlShowsTheWindowAtThePointer) {
  hold(vk::kLeftButton);
  hold(vk::kRightControl);
  moveTo({700, 400});
  tick();
  EXPECT_TRUE(dropWindow().visible());
  EXPECT_EQ(dropWindow().bounds().left, 700 - 56);
  EXPECT_EQ(dropWindow().bounds().top, 400);
}

TEST_F(DragWatcherTest, ReleaseHidesAtTheNextTickOnceNoDropIsBusy) {
  dragToRightEdge();
  release(vk::kLeftButton);
  tick();
  EXPECT_EQ(watcher().state(), State::Hiding);
  EXPECT_TRUE(dropWindow().visible());

  form().dropsBusy = true;
  hold(vk::kLeftButton);  // pressed again while hiding: no comeback, no change
  tick(5);
  EXPECT_EQ(watcher().state(), State::Hiding);
  EXPECT_TRUE(dropWindow().visible());

  form().dropsBusy = false;
  tick();
  EXPECT_EQ(watcher().state(), State::Idle);
  EXPECT_FALSE(dropWindow().visible());
}

// An OLE drag over the window keeps it up after the release, for its drop may come a tick
// later; but a drag whose program is gone says nothing more, and after two seconds of ticks with
// the button up and no move over the window it counts as gone.
TEST_F(DragWatcherTest, AnOleDragOverTheWindowKeepsItUpUntilItLeavesOrGoesQuiet) {
  constexpr int kGone = DragWatcher::kGoneDragTicks;
  const struct {
    const char* what;
    std::function<void(int)> beforeTick;  // ticks after the release, counted from 1
    int hiddenAt;
  } cases[] = {
      {"it leaves",
       [this](int t) {
         if (t == 3) dropWindow().onDragOver(false);
       },
       3},
      {"its program dies", [](int) {}, kGone},
      {"a move over the window counts again",
       [this](int t) {
         if (t == 6) dropWindow().onDragOver(true);
       },
       5 + kGone},
      {"the button held again counts again",
       [this](int t) {
         if (t == 4) hold(vk::kLeftButton);
         if (t == 7) release(vk::kLeftButton);
       },
       6 + kGone},
      {"a drop being handled still keeps it up",
       [this](int t) {
         if (t == 1) form().dropsBusy = true;
         if (t == kGone + 10) form().dropsBusy = false;
       },
       kGone + 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dragToRightEdge();
    dropWindow().onDragOver(true);
    release(vk::kLeftButton);
    for (int t = 1; t <= kGone + 14; ++t) {
      c.beforeTick(t);
      tick();
      ASSERT_EQ(dropWindow().visible(), t < c.hiddenAt) << "tick " << t;
    }
    EXPECT_EQ(watcher().state(), State::Idle);
    EXPECT_FALSE(form().dragOver);
    // The next drag brings the window up as always.
    moveTo({600, 500});
    dragToRightEdge();
    release(vk::kLeftButton);
    tick(2);
    EXPECT_FALSE(dropWindow().visible());
    moveTo({600, 500});
  }
}

TEST_F(DragWatcherTest, WindowStaysUpWhileAModalBoxOfTheDropRunsTicks) {
  dragToRightEdge();
  release(vk::kLeftButton);
  // A drop handler inside a box: the box's loop keeps ticking.
  fake_.interaction.duringModal = [this] { tick(10); };
  form().dropsBusy = true;
  fake_.interaction.messageBox("text", "Quillmarten", 0x40);
  EXPECT_TRUE(dropWindow().visible());
  form().dropsBusy = false;
  tick();
  EXPECT_FALSE(dropWindow().visible());
}

TEST_F(DragWatcherTest, TabSwitchesOncePerPress) {
  dragToRightEdge();
  hold(vk::kTab);
  tick(10);
  EXPECT_EQ(form().currentFolderList(), 1);
  release(vk::kTab);
  tick();
  hold(vk::kTab);
  tick();
  EXPECT_EQ(form().currentFolderList(), 2);
  release(vk::kTab);
  tick();
  hold(vk::kTab);
  tick();
  EXPECT_EQ(form().currentFolderList(), 0);  // wraps after the last list in use
  EXPECT_EQ(firstCaption(), "a");
}

TEST_F(DragWatcherTest, DigitKeysSelectTheFirstListThatApplies) {
  const struct {
    const char* what;
    std::vector<int> reported;
    int list;
  } cases[] = {
      {"2", {'2'}, 1},
      {"keypad 3", {vk::kNumpad1 + 2}, 2},
      {"2 and 3 together", {'2', '3'}, 1},
      {"5 with three lists in use", {'5'}, 0},
      {"5 and 3", {'5', '3'}, 2},
      {"1 wins over everything", {'3', '1'}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    dragToRightEdge();
    fake_.input.reported.insert(c.reported.begin(), c.reported.end());
    tick();
    fake_.input.reported.clear();
    EXPECT_EQ(form().currentFolderList(), c.list);
    hold(vk::kDigit1);  // back to the first list for the next case
    tick();
    release(vk::kDigit1);
    release(vk::kLeftButton);
    tick(2);
  }
}

TEST_F(DragWatcherTest, ShiftInTheLastTickBeforeTheReleaseAsksForAName) {
  dragToRightEdge();
  fake_.input.reported.insert(vk::kShift);
  tick();
  EXPECT_EQ(form().Label1().caption(), "ﾌｧｲﾙ名入力モード");
  fake_.input.reported.clear();
  release(vk::kLeftButton);
  tick();
  EXPECT_TRUE(form().shiftOverride);

  // Shift after the release, once hiding, is not looked at.
  dragToRightEdge();
  tick();
  EXPECT_FALSE(form().shiftOverride);
  EXPECT_EQ(form().Label1().caption(), " 別名保存モード");
  release(vk::kLeftButton);
  tick();
  hold(vk::kShift);
  tick(2);
  EXPECT_FALSE(form().shiftOverride);
}

TEST_F(DragWatcherTest, PaintsThePanelUnderThePointerWhite) {
  dragToRightEdge();
  const Bounds w = dropWindow().bounds();
  const struct {
    Point at;
    int white;  // -1: none
  } cases[] = {
      {{w.left, w.top}, 0},
      {{w.left + 50, w.top + 17}, 1},
      {{w.left + 114, w.top + 50}, 2},  // the right bound counts
      {{w.left + 50, w.top + 60}, 3},   // the mode label's row: a hidden panel's
      {{w.left + 50, w.top + 86}, 5},   // the bottom bound counts
      {{w.left - 1, w.top + 5}, -1},
      {{w.left + 50, w.top - 1}, -1},
  };
  for (const auto& c : cases) {
    moveTo(c.at);
    tick();
    for (int i = 0; i < kSlotsPerList; ++i) {
      EXPECT_EQ(form().folderPanels()[static_cast<std::size_t>(i)].color(),
                i == c.white ? kWhite : kColorButtonFace)
          << "pointer at " << c.at.x << "," << c.at.y << " panel " << i;
    }
  }
  hold(vk::kDigit1 + 1);
  tick();
  EXPECT_EQ(form().folderPanels()[5].color(), rgb(224, 224, 239));
}

TEST_F(DragWatcherTest, PlacedOnADenserScreenTheWindowIsPlacedAgainAtItsNewSize) {
  // The right half of the desktop is a screen at 150 %.
  fake_.toolkit.dpiAt = [](const Bounds& b) { return b.left >= 640 ? 144 : 96; };
  dragToRightEdge();
  // Three small panels of 26 and the tab strip: laid out at 171 x 131, and kept inside the right
  // edge at that width.
  EXPECT_EQ(dropWindow().bounds(), (Bounds{1280 - 171, 300, 171, 131}));
  EXPECT_EQ(dropWindow().dpi(), 144);
}

TEST_F(DragWatcherTest, ASteadyShownTickReachesNoPeer) {
  dragToRightEdge();
  moveTo({dropWindow().bounds().left + 10, dropWindow().bounds().top + 20});
  tick(2);
  const int before = formUpdates();
  tick(20);
  EXPECT_EQ(formUpdates(), before);
}

TEST_F(DragWatcherTest, RestingOnTheTabStripSwitchesInTheEighthTick) {
  dragToRightEdge();
  const Bounds w = dropWindow().bounds();
  const Bounds strip = form().ButtonPanel().bounds();
  const auto onCell = [&](int dx) {
    return Point{w.left + strip.left + dx, w.top + strip.top + 5};
  };

  moveTo(onCell(30));  // cell 1
  tick(7);
  EXPECT_EQ(form().currentFolderList(), 0);
  tick();
  EXPECT_EQ(form().currentFolderList(), 1);
  EXPECT_EQ(form().tabs()[1].color(), rgb(255, 192, 203));

  // Leaving the zone before the eighth tick starts the count again.
  moveTo({w.left + 50, w.top + 5});
  tick();
  moveTo(onCell(50));
  tick(5);
  moveTo(onCell(0));  // the left bound does not count
  tick();
  moveTo(onCell(50));
  tick(7);
  EXPECT_EQ(form().currentFolderList(), 1);
  tick();
  EXPECT_EQ(form().currentFolderList(), 2);

  // Cell 3 stands for a fourth list, which is not in use.
  moveTo(onCell(80));
  tick(12);
  EXPECT_EQ(form().currentFolderList(), 2);
  EXPECT_EQ(form().pendingListSelection(), TForm1::kNoPendingList);
}

TEST_F(DragWatcherTest, FailedPointerReadEndsTheTickAfterTheNotice) {
  hold(vk::kLeftButton);
  fake_.input.cursor = std::nullopt;
  app_->Form4().ShowSavedNotice();
  tick(8);
  EXPECT_FALSE(app_->Form4().window().visible());
  EXPECT_FALSE(dropWindow().visible());
}

class SoundTest : public DragWatcherTest {
 protected:
  SoundTest() : DragWatcherTest(0, "C:\\Windows\\Media\\chimes.wav") {}
};

TEST_F(SoundTest, NoticeClosesOnTheEighthTickThenOneSound) {
  moveTo({1200, 1000});
  app_->Form4().ShowSavedNotice();
  Window& notice = app_->Form4().window();
  EXPECT_TRUE(notice.visible());
  EXPECT_EQ(notice.bounds().left, 1200);
  EXPECT_EQ(notice.bounds().top, 1024);  // below the display: not moved back
  tick(7);
  EXPECT_TRUE(notice.visible());
  EXPECT_TRUE(fake_.interaction.sounds.empty());
  tick();
  EXPECT_FALSE(notice.visible());
  EXPECT_EQ(fake_.interaction.sounds, std::vector<std::string>{"C:\\Windows\\Media\\chimes.wav"});
  // Started, not waited for; a file that cannot be played stays silent.
  EXPECT_EQ(fake_.interaction.soundFlags,
            std::vector<std::uint32_t>{kSndAsync | kSndFilename | kSndNoDefault});
  tick(20);
  EXPECT_EQ(fake_.interaction.sounds.size(), 1u);
}

TEST_F(SoundTest, TwoSavesWithinTheCountGiveOneSound) {
  app_->Form4().ShowSavedNotice();
  tick(5);
  moveTo({100, 100});
  app_->Form4().ShowSavedNotice();
  EXPECT_EQ(app_->Form4().window().bounds().top, 124);
  tick(7);
  EXPECT_TRUE(fake_.interaction.sounds.empty());
  tick();
  EXPECT_EQ(fake_.interaction.sounds.size(), 1u);
}

TEST_F(DragWatcherTest, NoSoundWithoutAPath) {
  app_->Form4().ShowSavedNotice();
  tick(10);
  EXPECT_FALSE(app_->Form4().window().visible());
  EXPECT_TRUE(fake_.interaction.sounds.empty());
}

class GestureTest : public DragWatcherTest {
 protected:
  GestureTest() : DragWatcherTest(switch_flags::kLGestureOn | 0x0F) {}  // edges off
  void stroke(std::initializer_list<Point> points) {
    for (Point p : points) {
      moveTo(p);
      tick();
    }
  }
};

TEST_F(GestureTest, LDrawnInOneDragShowsAtThePointer) {
  hold(vk::kLeftButton);
  stroke({{400, 400}, {400, 360}, {400, 400}, {440, 400}});
  EXPECT_FALSE(dropWindow().visible());
  stroke({{400, 400}});
  EXPECT_TRUE(dropWindow().visible());
  EXPECT_EQ(dropWindow().bounds().left, 400 - 56);
  EXPECT_EQ(dropWindow().bounds().top, 400);
}

TEST_F(GestureTest, AReleaseEmptiesTheNewestStroke) {
  hold(vk::kLeftButton);
  stroke({{400, 400}, {400, 360}});  // up
  release(vk::kLeftButton);
  tick();
  // Only the last three strokes in the next drag: the emptied entry is still in the history.
  hold(vk::kLeftButton);
  stroke({{400, 360}, {400, 400}, {440, 400}, {400, 400}});
  EXPECT_EQ(watcher().gestureHistory(), (GestureHistory{0, 4, 8, 2}));
  EXPECT_FALSE(dropWindow().visible());
}

TEST_F(GestureTest, AStaleFirstStrokeCanCompleteTheShape) {
  hold(vk::kLeftButton);
  stroke({{400, 400}, {440, 400}});
  release(vk::kLeftButton);
  tick();
  // The next drag starts higher up: its first tick compares with the last tracked one and
  // records an up stroke that was never drawn; three real strokes then make the L.
  moveTo({440, 360});
  hold(vk::kLeftButton);
  stroke({{440, 360}, {440, 400}, {480, 400}});
  EXPECT_FALSE(dropWindow().visible());
  stroke({{440, 400}});
  EXPECT_TRUE(dropWindow().visible());
}

TEST_F(GestureTest, ASampleWithXMinusOneSkipsTheStroke) {
  hold(vk::kLeftButton);
  stroke({{-1, 400}, {-1, 300}});
  EXPECT_EQ(watcher().gestureHistory(), GestureHistory{});
  stroke({{-1, 200}});
  EXPECT_EQ(watcher().gestureHistory(), GestureHistory{});
}

// Far along the top edge with the right edge off, the window is placed as far right as the
// pointer; a pointer then reported at the other end of the coordinates is further from it than
// 32 bits can hold.
class FarPointerTest : public DragWatcherTest {
 protected:
  FarPointerTest() : DragWatcherTest(switch_flags::kRightEdgeOff) {}
};

TEST_F(FarPointerTest, APointerFarFromTheWindowPaintsNoPanelAndPicksNoTab) {
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
  hold(vk::kLeftButton);
  tick();
  moveTo({kHighest, 0});
  tick();
  ASSERT_EQ(watcher().state(), State::Shown);
  ASSERT_EQ(dropWindow().bounds().left, kHighest - 56);
  for (const Point far : {Point{kLowest, kLowest}, Point{kLowest, kHighest}}) {
    moveTo(far);
    tick(8);
    for (const Control& panel : form().folderPanels()) EXPECT_NE(panel.color(), kWhite);
    EXPECT_EQ(form().pendingListSelection(), TForm1::kNoPendingList);
    EXPECT_EQ(watcher().state(), State::Shown);
  }
  release(vk::kLeftButton);
  tick(2);
  EXPECT_EQ(watcher().state(), State::Idle);
}

}  // namespace
}  // namespace qm
