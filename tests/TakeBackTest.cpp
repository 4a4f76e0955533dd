// Taking saves back from the tray, and the sweep at start, through the whole program over real
// files: the three kinds of save undone newest first, a file changed or gone since left alone,
// the folder of the latest save shown, and what a killed run left cleared away.
#include <gtest/gtest.h>

#include "DropTestSupport.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

using test::Files;
namespace fs = std::filesystem;

const RecordedMessageBox kChangedBox{"保存したファイルが変更されたため、元に戻せません。",
                                     "Quillmarten", kMbOk | kMbIconInformation};

class TakeBack : public test::DropTest {
 protected:
  fs::path two() const { return fake.folder.path() / "two"; }
  MenuItem& undo() { return app->trayMenu().U1(); }
  MenuItem& open() { return app->trayMenu().O1(); }
  std::vector<std::string> binned() const {
    std::vector<std::string> items;
    for (const auto& item : fake.files.bin) {
      if (!item.restored)
        items.push_back(fs::path(item.from).filename().string() + "=" + item.bytes);
    }
    return items;
  }
};

TEST_F(TakeBack, UndoTakesBackEachKindOfSaveOrLeavesAChangedFileAlone) {
  const struct {
    const char* what;
    std::int16_t mode;
    Files before;
    std::optional<std::string> dialogAnswer;  // a name in "two"
    Files saved;
    // Done to the saved file between the save and the undo.
    std::function<void(const fs::path&)> meanwhile;
    Files after;
    std::vector<std::string> bin;
    std::vector<RecordedMessageBox> boxes;
  } cases[] = {
      {"a new file", kSaveNumbered, {}, {}, {{"photo.jpg", "new"}}, {}, {}, {"photo.jpg=new"}, {}},
      {"a numbered file",
       kSaveNumbered,
       {{"photo.jpg", "a"}},
       {},
       {{"photo.jpg", "a"}, {"photo0.jpg", "new"}},
       {},
       {{"photo.jpg", "a"}},
       {"photo0.jpg=new"},
       {}},
      {"a file named in the dialog",
       kSaveAskName,
       {{"photo.jpg", "a"}},
       "two/mine.jpg",
       {{"photo.jpg", "a"}, {"mine.jpg", "new"}},
       {},
       {{"photo.jpg", "a"}},
       {"mine.jpg=new"},
       {}},
      {"an overwrite: the old file comes back",
       kSaveOverwrite,
       {{"photo.jpg", "old"}},
       {},
       {{"photo.jpg", "new"}},
       {},
       {{"photo.jpg", "old"}},
       {"photo.jpg=new"},
       {}},
      {"a file changed since: its size",
       kSaveOverwrite,
       {{"photo.jpg", "old"}},
       {},
       {{"photo.jpg", "new"}},
       [](const fs::path& file) { write(file, "edited"); },
       {{"photo.jpg", "edited"}},
       {"photo.jpg=old"},
       {kChangedBox}},
      {"a file changed since: its time",
       kSaveNumbered,
       {},
       {},
       {{"photo.jpg", "new"}},
       [](const fs::path& file) {
         fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
       },
       {{"photo.jpg", "new"}},
       {},
       {kChangedBox}},
      {"a file gone since",
       kSaveNumbered,
       {},
       {},
       {{"photo.jpg", "new"}},
       [](const fs::path& file) { fs::remove(file); },
       {},
       {},
       {kChangedBox}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(two());
    fs::create_directory(two());
    for (const auto& [name, content] : c.before) write(two() / name, content);
    fake.files.bin.clear();
    start(c.mode);
    fake.interaction.messageBoxes.clear();
    EXPECT_FALSE(undo().enabled());
    EXPECT_FALSE(open().enabled());
    if (c.dialogAnswer) {
      fake.interaction.saveDialogAnswers.push_back({folder(*c.dialogAnswer), 0});
    }

    drop(kRowTwo, {source("photo.jpg", "new")});
    ASSERT_EQ(contents(two()), c.saved);
    EXPECT_TRUE(undo().enabled());
    EXPECT_TRUE(open().enabled());
    // The file the save made: the one in `saved` that was not there before, or the one it replaced.
    std::string savedName = "photo.jpg";
    for (const auto& [name, content] : c.saved) {
      if (content == "new") savedName = name;
    }
    const std::string savedPath =
        c.dialogAnswer ? folder(*c.dialogAnswer) : folder("two") + "\\" + savedName;
    if (c.meanwhile) c.meanwhile(two() / savedName);

    undo().onClick();

    EXPECT_EQ(contents(two()), c.after);
    EXPECT_EQ(binned(), c.bin);
    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    EXPECT_FALSE(undo().enabled());
    // Where the latest save went can still be shown.
    open().onClick();
    EXPECT_EQ(fake.interaction.shownInFolder, std::vector{savedPath});
    fake.interaction.shownInFolder.clear();
  }
}

TEST_F(TakeBack, UndoGoesBackNewestFirstOverTheLastTwentySaves) {
  start(kSaveNumbered);
  for (int i = 0; i <= 20; ++i) drop(kRowTwo, {source("photo.jpg", std::to_string(i))});
  ASSERT_EQ(contents(two()).size(), 21u);
  for (int i = 20; i >= 1; --i) {
    ASSERT_TRUE(undo().enabled()) << i;
    undo().onClick();
    // The newest left is the one before.
    EXPECT_EQ(contents(two()).size(), static_cast<std::size_t>(i)) << i;
    EXPECT_EQ(binned().back(),
              (i == 20 ? "photo19.jpg" : "photo" + std::to_string(i - 1) + ".jpg") + "=" +
                  std::to_string(i))
        << i;
  }
  EXPECT_FALSE(undo().enabled());
  EXPECT_EQ(contents(two()), (Files{{"photo.jpg", "0"}}));
  EXPECT_TRUE(fake.interaction.messageBoxes.empty());
}

TEST_F(TakeBack, AnOldFileThatCannotComeBackLeavesTheNewOneInPlace) {
  write(two() / "photo.jpg", "old");
  start(kSaveOverwrite);
  fake.interaction.messageBoxes.clear();
  drop(kRowTwo, {source("photo.jpg", "new")});
  fake.files.restoreErrors = {kErrorAccessDenied};

  undo().onClick();

  EXPECT_EQ(contents(two()), (Files{{"photo.jpg", "new"}}));
  EXPECT_EQ(binned(), std::vector<std::string>{"photo.jpg=old"});
  EXPECT_EQ(fake.interaction.messageBoxes,
            (std::vector<RecordedMessageBox>{
                {"system message 5", "Quillmarten", kMbOk | kMbIconInformation}}));
}

TEST_F(TakeBack, AFailedOverwriteSaysWhereTheOldFileIs) {
  const struct {
    const char* what;
    CopyOutcome outcome;
    std::string text;
  } cases[] = {
      {"at its name", copyFailed(kErrorDiskFull), "system message 112"},
      {"in the bin", CopyOutcome{kErrorFileExists, OldFileAt::RecycleBin, "", false, false, 0},
       "system message 80\r\n元のファイルはごみ箱にあります。"},
      {"beside",
       CopyOutcome{1177, OldFileAt::Beside, "D:\\two\\~qm~old~photo.jpg", false, false, 0},
       "system message 1177\r\n元のファイルは次の名前で残っています: D:\\two\\~qm~old~photo.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(kSaveOverwrite);
    fake.interaction.messageBoxes.clear();
    fake.files.copyFailures = {c.outcome};
    drop(kRowTwo, {source("photo.jpg")});
    EXPECT_EQ(
        fake.interaction.messageBoxes,
        (std::vector<RecordedMessageBox>{{c.text, "Quillmarten", kMbOk | kMbIconInformation}}));
    EXPECT_FALSE(undo().enabled());
  }
}

TEST_F(TakeBack, StartClearsWhatAKilledRunLeftAndNothingElse) {
  const fs::path temp = fake.folder.path() / "tmp";
  fs::create_directory(temp);
  fake.files.temporaryFolder = temp.string();
  write(two() / "keep.jpg", "k");
  write(two() / "~qm~0a1b2c3d.tmp", "half a copy");
  write(two() / "~qm~old~photo.jpg", "old");
  write(two() / "~qm~old~keep.jpg", "older");
  write(temp / "~qm~deadbeef.tmp", "parked bytes");
  write(temp / "other.tmp", "another program's");
  write(fake.folder.path() / "~qm~12345678.tmp", "settings twin");

  start(kSaveNumbered);

  EXPECT_EQ(contents(two()), (Files{{"keep.jpg", "k"}, {"photo.jpg", "old"}}));
  EXPECT_EQ(binned(), std::vector<std::string>{"~qm~old~keep.jpg=older"});
  EXPECT_EQ(contents(temp), (Files{{"other.tmp", "another program's"}}));
  EXPECT_FALSE(fs::exists(fake.folder.path() / "~qm~12345678.tmp"));
  EXPECT_TRUE(fs::exists(fake.folder.settingsPath()));
}

}  // namespace
}  // namespace qm
