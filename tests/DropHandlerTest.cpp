// What a drop does besides saving: which file and which folder it takes, when it gives up and
// says why, and that the drop-busy flag and the dropped-file list are looked after on every path.
#include "dropwindow/DropHandler.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "DropTestSupport.h"
#include "platform/FileReplacement.h"
#include "platform/Keys.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

using test::Files;
namespace fs = std::filesystem;

RecordedMessageBox systemBox(std::uint32_t code) {
  return {"system message " + std::to_string(code), "Quillmarten", kMbOk | kMbIconInformation};
}

struct FailureCase {
  const char* what;
  std::int16_t mode;
  std::size_t row;
  // Prepares the folders and returns the paths to drop.
  std::function<std::vector<std::string>(test::DropTest&)> prepare;
  std::vector<RecordedMessageBox> boxes;
  int dialogs;  // the dialog is cancelled
  int copies;   // attempts to copy
};

class DropHandling : public test::DropTest {
 protected:
  fs::path two() const { return fake.folder.path() / "two"; }
};

TEST_F(DropHandling, FailuresSaveNothingAndSayWhy) {
  const auto photo = [](test::DropTest& t) {
    return std::vector<std::string>{t.source("photo.jpg")};
  };
  const auto aFolder = [](test::DropTest& t) {
    fs::create_directory(fs::path(t.folder("src")) / "album");
    return std::vector<std::string>{t.folder("src") + "\\album"};
  };
  const auto readOnlyTarget = [](test::DropTest& t) {
    const fs::path target = fs::path(t.folder("two")) / "photo.jpg";
    write(target, "old");
    fs::permissions(target, fs::perms::owner_read);
    return std::vector<std::string>{t.source("photo.jpg")};
  };
  // Marked the way the host cannot mark a file, as Windows would report it.
  const auto markedTarget = [](std::uint32_t attributes) {
    return [attributes](test::DropTest& t) {
      const fs::path target = fs::path(t.folder("two")) / "photo.jpg";
      write(target, "old");
      t.fake.files.markedAttributes[target.string()] = attributes;
      return std::vector<std::string>{t.source("photo.jpg")};
    };
  };
  const auto readOnlyFolder = [](test::DropTest& t) {
    write(fs::path(t.folder("two")) / "photo.jpg", "old");
    fs::permissions(t.folder("two"), fs::perms::owner_read | fs::perms::owner_exec);
    return std::vector<std::string>{t.source("photo.jpg")};
  };
  const auto fullDisk = [](test::DropTest& t) {
    write(fs::path(t.folder("two")) / "photo.jpg", "old");
    t.fake.files.diskFullAfter = 2;
    return std::vector<std::string>{t.source("photo.jpg")};
  };
  const auto thousandTaken = [](test::DropTest& t) {
    write(fs::path(t.folder("two")) / "photo.jpg", "old");
    for (int n = 0; n < 1000; ++n) {
      write(fs::path(t.folder("two")) / ("photo" + std::to_string(n) + ".jpg"), "old");
    }
    return std::vector<std::string>{t.source("photo.jpg")};
  };
  // "two\" + name comes to 260 bytes, one more than a path may have.
  const auto tooLong = [](test::DropTest& t) {
    const std::size_t room = kMaxPath - (t.folder("two").size() + 1);
    return std::vector<std::string>{t.source(std::string(room - 4, 'a') + ".jpg")};
  };
  // Exactly as long as a path may be, and taken: the first numbered name is one too long.
  const auto longestTaken = [](test::DropTest& t) {
    const std::string name = std::string(kMaxPath - 1 - (t.folder("two").size() + 1) - 4, 'a');
    write(fs::path(t.folder("two")) / (name + ".jpg"), "old");
    return std::vector<std::string>{t.source(name + ".jpg")};
  };

  const FailureCase cases[] = {
      {"overwrite into a deleted folder",
       kSaveOverwrite,
       kRowGone,
       photo,
       {systemBox(kErrorPathNotFound)},
       0,
       1},
      {"numbered into a deleted folder",
       kSaveNumbered,
       kRowGone,
       photo,
       {systemBox(kErrorPathNotFound)},
       0,
       1},
      {"file name mode into a deleted folder opens the dialog",
       kSaveAskName,
       kRowGone,
       photo,
       {},
       1,
       1},
      {"overwrite onto a read-only file",
       kSaveOverwrite,
       kRowTwo,
       readOnlyTarget,
       {systemBox(kErrorAccessDenied)},
       0,
       1},
      {"overwrite onto a hidden file",
       kSaveOverwrite,
       kRowTwo,
       markedTarget(file_replacement::kHidden),
       {systemBox(kErrorAccessDenied)},
       0,
       1},
      {"overwrite onto a system file",
       kSaveOverwrite,
       kRowTwo,
       markedTarget(file_replacement::kSystem),
       {systemBox(kErrorAccessDenied)},
       0,
       1},
      {"numbered in a folder that takes no file stops at the first such failure",
       kSaveNumbered,
       kRowTwo,
       readOnlyFolder,
       {systemBox(kErrorAccessDenied)},
       0,
       2},
      {"numbered on a full disk stops at the first such failure",
       kSaveNumbered,
       kRowTwo,
       fullDisk,
       {systemBox(kErrorDiskFull)},
       0,
       2},
      {"numbered with all 1000 numbers taken says the file exists",
       kSaveNumbered,
       kRowTwo,
       thousandTaken,
       {systemBox(kErrorFileExists)},
       0,
       1},
      {"a dropped folder, overwrite",
       kSaveOverwrite,
       kRowTwo,
       aFolder,
       {systemBox(kErrorAccessDenied)},
       0,
       1},
      {"a dropped folder, numbered",
       kSaveNumbered,
       kRowTwo,
       aFolder,
       {systemBox(kErrorAccessDenied)},
       0,
       1},
      {"a dropped folder, file name mode", kSaveAskName, kRowTwo, aFolder, {}, 1, 1},
      {"a target path too long for the system",
       kSaveOverwrite,
       kRowTwo,
       tooLong,
       {systemBox(kErrorFilenameExcedRange)},
       0,
       0},
      {"a numbered name too long for the system",
       kSaveNumbered,
       kRowTwo,
       longestTaken,
       {systemBox(kErrorFilenameExcedRange)},
       0,
       1},
      {"a drop on the mode label", kSaveOverwrite, kRowModeLabel, photo, {}, 0, 0},
      {"a list that cannot be read",
       kSaveOverwrite,
       kRowTwo,
       [](test::DropTest&) { return std::vector<std::string>{""}; },
       {systemBox(kErrorInvalidData)},
       0,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::permissions(two(), fs::perms::owner_all);
    fs::remove_all(two());
    fs::create_directory(two());
    fake.files.diskFullAfter.reset();
    fake.files.markedAttributes.clear();
    fake.interaction.messageBoxes.clear();
    fake.interaction.saveDialogs.clear();
    start(c.mode);
    fake.interaction.messageBoxes.clear();
    const std::vector<std::string> paths = c.prepare(*this);
    const Files before = contents(two());
    fake.files.copies = 0;

    const test::FakeDroppedFiles files = drop(c.row, {paths.begin(), paths.end()});

    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    EXPECT_EQ(static_cast<int>(fake.interaction.saveDialogs.size()), c.dialogs);
    EXPECT_EQ(fake.files.copies, c.copies);
    EXPECT_EQ(contents(two()), before);
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(files.finished, 1);
    EXPECT_FALSE(app->Form1().dropsBusy);
  }
  fs::permissions(two(), fs::perms::owner_all);
}

TEST_F(DropHandling, ThreeFilesSaveOnlyTheFirst) {
  start(kSaveOverwrite);
  const std::vector<EncodedText> paths{source("a.jpg", "A"), source("b.jpg", "B"),
                                       source("c.jpg", "C")};
  drop(kRowOne, paths);
  EXPECT_EQ(contents(fake.folder.path() / "one"), (Files{{"a.jpg", "A"}}));
  EXPECT_TRUE(fake.interaction.messageBoxes.empty());
  EXPECT_TRUE(noticeShown());
}

TEST_F(DropHandling, TheNoticeShowsBelowThePointerAndTheSoundFollowsItsLastTick) {
  start(kSaveOverwrite, "C:\\saved.wav");
  const test::FakeDroppedFiles files = drop(kRowOne, {source("a.jpg")});
  const Point pointer = pointerOnRow(kRowOne);
  EXPECT_EQ(app->Form4().window().bounds().left, pointer.x);
  EXPECT_EQ(app->Form4().window().bounds().top, pointer.y + 24);
  for (int tick = 1; tick <= 8; ++tick) {
    EXPECT_TRUE(fake.interaction.sounds.empty()) << tick;
    EXPECT_TRUE(noticeShown()) << tick;
    app->watcher().Timer1Timer();
  }
  EXPECT_FALSE(noticeShown());
  EXPECT_EQ(fake.interaction.sounds, std::vector<std::string>{"C:\\saved.wav"});
}

TEST_F(DropHandling, At150PercentTheDropTakesThePanelDrawnThereAndTheNoticeGrows) {
  fake.toolkit.dpi = 144;
  start(kSaveOverwrite);
  const Bounds second = app->Form1().folderPanels()[kRowTwo].bounds();
  ASSERT_EQ(second.height, 26);
  // The second panel's lowest row, which rows of 17 pixels would put on the mode label.
  const Point pointer{40, kWindowTop + second.top + second.height - 1};
  fake.input.cursor = pointer;
  test::FakeDroppedFiles files({source("a.jpg", "A")}, app->Form1().dropsBusy);
  app->Form1().window().onDropFiles(files);

  EXPECT_EQ(contents(two()), (Files{{"a.jpg", "A"}}));
  EXPECT_EQ(app->Form4().window().bounds(), (Bounds{pointer.x, pointer.y + 36, 110, 24}));
  EXPECT_EQ(app->Form4().Panel1().bounds(), (Bounds{0, 0, 110, 24}));
}

TEST_F(DropHandling, TheFlagStaysUpInsideEveryBoxAndTheListIsReleasedBeforeItFalls) {
  const struct {
    const char* what;
    std::int16_t mode;
    std::size_t row;
    bool shift;
  } cases[] = {
      {"system error box", kSaveOverwrite, kRowGone, false},
      {"file-name dialog", kSaveAskName, kRowGone, false},
      {"Shift's dialog", kSaveOverwrite, kRowOne, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(c.mode);
    std::vector<bool> busyInModal;
    fake.interaction.duringModal = [&] { busyInModal.push_back(app->Form1().dropsBusy); };
    app->Form1().shiftOverride = c.shift;

    const test::FakeDroppedFiles files = drop(c.row, {source("a.jpg")});

    EXPECT_EQ(busyInModal, std::vector<bool>{true});
    EXPECT_EQ(files.finished, 1);
    EXPECT_TRUE(files.busyWhenFinished);
    EXPECT_FALSE(app->Form1().dropsBusy);
  }
}

TEST_F(DropHandling, TheWindowStaysUpWhileABoxIsOpenAndHidesAtTheFirstTickAfter) {
  const struct {
    const char* what;
    std::int16_t mode;
    std::size_t row;
  } cases[] = {
      {"system error box", kSaveOverwrite, kRowGone},
      {"file-name dialog", kSaveAskName, kRowGone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(c.mode);
    Window& window = app->Form1().window();
    // A drag over a browser reaches the right edge at the height the window is expected at.
    fake.input.title = "写真 - Mozilla Firefox";
    fake.input.held.insert(vk::kLeftButton);
    fake.input.cursor = Point{1279, kWindowTop};
    app->watcher().Timer1Timer();
    ASSERT_TRUE(window.visible());
    fake.input.held.erase(vk::kLeftButton);
    std::vector<bool> shownInModal;
    fake.interaction.duringModal = [&] {
      for (int tick = 0; tick < 3; ++tick) {
        app->watcher().Timer1Timer();
        shownInModal.push_back(window.visible());
      }
    };

    drop(c.row, {source("a.jpg")});

    EXPECT_EQ(shownInModal, std::vector<bool>(3, true));
    EXPECT_TRUE(window.visible());
    app->watcher().Timer1Timer();
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(app->watcher().state(), DragWatcher::State::Idle);
  }
}

TEST_F(DropHandling, AnExceptionStillReleasesTheListAndClearsTheFlag) {
  start(kSaveOverwrite);
  fake.interaction.duringModal = [] { throw std::runtime_error("out of memory"); };
  fake.input.cursor = pointerOnRow(kRowGone);
  test::FakeDroppedFiles files({source("a.jpg")}, app->Form1().dropsBusy);
  EXPECT_THROW(app->Form1().window().onDropFiles(files), std::runtime_error);
  EXPECT_EQ(files.finished, 1);
  EXPECT_FALSE(app->Form1().dropsBusy);
}

}  // namespace
}  // namespace qm
