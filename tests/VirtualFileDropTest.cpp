// Drops through OLE, as browsers built on Chromium make them: a virtual file's name and bytes,
// taken at the drop and saved from the window's own loop through the same flow as a dropped
// file, with names that code page 932 cannot hold kept in UTF-8 all the way to the disk.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "DropTestSupport.h"
#include "PictureBytes.h"
#include "platform/Keys.h"
#include "platform/VirtualFileLength.h"
#include "platform/Win32Codes.h"
#include "platform/fake/FakeVirtualFile.h"

namespace qm {
namespace {

using test::Files;
namespace fs = std::filesystem;

// UTF-8 as the platform hands the name over.
constexpr const char* kPhotoUtf8 = "\xE5\x86\x99\xE7\x9C\x9F[1].jpg";               // 写真[1].jpg
constexpr const char* kKoreanUtf8 = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4[1].png";  // 한국어[1].png
constexpr const char* kKoreanSaved = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4.png";
constexpr const char* kKorean0 =
    "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"
    "0.png";

constexpr const char* kSourceUrl = "https://example.com/images/photo.jpg";

// Where the marks of a download went, and the address each names.
std::vector<std::pair<std::string, std::string>> markedFiles(const DiskFileSystem& files) {
  std::vector<std::pair<std::string, std::string>> marked;
  for (const DiskFileSystem::Marked& mark : files.marked)
    marked.emplace_back(mark.path, mark.sourceUrl);
  return marked;
}

RecordedMessageBox systemBox(std::uint32_t code) {
  return {"system message " + std::to_string(code), "Quillmarten", kMbOk | kMbIconInformation};
}

class VirtualFileDrop : public test::DropTest {
 public:
  fs::path two() const { return fake.folder.path() / "two"; }

  TakenDrop virtualFile(const std::string& name, const std::string& bytes = "image bytes") {
    TakenDrop taken;
    taken.virtualName = name;
    taken.sourceUrl = kSourceUrl;
    taken.content = std::make_unique<FakeVirtualFile>(
        fake.files, fake.folder.path() / ("parked" + std::to_string(++parked_)), bytes);
    return taken;
  }

  // Lets go over `row`; the save runs only once the window's loop gets to it.
  void oleDrop(std::size_t row, TakenDrop taken) {
    fake.input.cursor = pointerOnRow(row);
    app->Form1().window().onOleDrop([&](std::uint64_t roomGiven) {
      busyWhileTaking = app->Form1().dropsBusy;
      room = roomGiven;
      takenAside = fake.worker.progress().has_value();
      // The pointer moves on while the bytes are read, and before the loop runs the save.
      fake.input.cursor = Point{0, 0};
      return std::move(taken);
    });
    busyBeforeLoop = app->Form1().dropsBusy;
    savedBeforeLoop = contents(two());
    fake.toolkit.runPosted();
  }

  bool busyWhileTaking = false;
  std::uint64_t room = 0;  // what the take was given
  bool takenAside = false;
  bool busyBeforeLoop = false;
  Files savedBeforeLoop;

 private:
  int parked_ = 0;
};

struct VirtualCase {
  const char* what;
  std::int16_t mode;
  bool shift;
  std::string name;
  Files before;
  std::optional<std::string> dialogAnswer;  // a name in folder "two"
  Files after;
  std::optional<TextEncoding> dialogEncoding;
  bool notice;
  SaveFormat format = kSaveAsIs;
  std::string bytes = "image bytes";
};

TEST_F(VirtualFileDrop, GoesThroughEveryModeLikeADroppedFile) {
  const std::string webp = test::picture_bytes::webpLossy();
  const VirtualCase cases[] = {
      {"code page 932 name, cleaned",
       kSaveOverwrite,
       false,
       kPhotoUtf8,
       {},
       {},
       {{"写真.jpg", "image bytes"}},
       {},
       true},
      {"overwrite replaces",
       kSaveOverwrite,
       false,
       "photo.jpg",
       {{"photo.jpg", "old"}},
       {},
       {{"photo.jpg", "image bytes"}},
       {},
       true},
      {"numbered",
       kSaveNumbered,
       false,
       "photo.jpg",
       {{"photo.jpg", "old"}, {"photo0.jpg", "old"}},
       {},
       {{"photo.jpg", "old"}, {"photo0.jpg", "old"}, {"photo1.jpg", "image bytes"}},
       {},
       true},
      {"file name, taken: the dialog",
       kSaveAskName,
       false,
       "photo.jpg",
       {{"photo.jpg", "old"}},
       std::string("mine.jpg"),
       {{"photo.jpg", "old"}, {"mine.jpg", "image bytes"}},
       TextEncoding::Cp932,
       true},
      {"Shift asks even for a free name",
       kSaveOverwrite,
       true,
       "photo.jpg",
       {},
       std::string("photo.jpg"),
       {{"photo.jpg", "image bytes"}},
       TextEncoding::Cp932,
       true},
      {"outside code page 932, kept in UTF-8",
       kSaveOverwrite,
       false,
       kKoreanUtf8,
       {},
       {},
       {{kKoreanSaved, "image bytes"}},
       {},
       true},
      {"outside code page 932, numbered",
       kSaveNumbered,
       false,
       kKoreanUtf8,
       {{kKoreanSaved, "old"}},
       {},
       {{kKoreanSaved, "old"}, {kKorean0, "image bytes"}},
       {},
       true},
      {"outside code page 932, the wide dialog",
       kSaveAskName,
       false,
       kKoreanUtf8,
       {{kKoreanSaved, "old"}},
       std::string(kKorean0),
       {{kKoreanSaved, "old"}, {kKorean0, "image bytes"}},
       TextEncoding::Utf8,
       true},
      {"a device name made safe, its trailing dot gone",
       kSaveOverwrite,
       false,
       "nul.jpg.",
       {},
       {},
       {{"_nul.jpg", "image bytes"}},
       {},
       true},
      {"path parts in the name stay out",
       kSaveOverwrite,
       false,
       "..\\..\\x/y/evil.jpg",
       {},
       {},
       {{"evil.jpg", "image bytes"}},
       {},
       true},
      {"PNG format: the picture written anew is a download too",
       kSaveOverwrite,
       false,
       "photo.webp",
       {},
       {},
       {{"photo.png", FakeImageConverter::written(ImageFormat::Png, webp)}},
       {},
       true,
       kSavePng,
       webp},
  };
  for (const VirtualCase& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(two());
    fs::create_directory(two());
    for (const auto& [name, content] : c.before) write(two() / name, content);
    start(c.mode, "", c.format);
    app->Form1().shiftOverride = c.shift;
    if (c.dialogAnswer) {
      SaveDialogResult answer;
      answer.path = folder("two") + "\\" + *c.dialogAnswer;
      fake.interaction.saveDialogAnswers.push_back(answer);
    }

    oleDrop(kRowTwo, virtualFile(c.name, c.bytes));

    EXPECT_TRUE(busyWhileTaking);
    EXPECT_TRUE(busyBeforeLoop);
    EXPECT_EQ(savedBeforeLoop, c.before);
    EXPECT_FALSE(app->Form1().dropsBusy);
    EXPECT_EQ(contents(two()), c.after);
    EXPECT_EQ(noticeShown(), c.notice);
    EXPECT_TRUE(fake.interaction.messageBoxes.empty());
    // What the browser brought is marked as a download where it was saved, with its address.
    std::vector<std::pair<std::string, std::string>> marked;
    for (const auto& [name, content] : c.after) {
      if (content != "old") marked.emplace_back(folder("two") + "\\" + name, kSourceUrl);
    }
    EXPECT_EQ(markedFiles(fake.files), marked);
    fake.files.marked.clear();
    ASSERT_EQ(fake.interaction.saveDialogs.size(), c.dialogEncoding ? 1u : 0u);
    if (c.dialogEncoding) {
      EXPECT_EQ(fake.interaction.saveDialogs[0].encoding, *c.dialogEncoding);
      EXPECT_EQ(fake.interaction.saveDialogs[0].initialDir, folder("two"));
    }
    fake.interaction.saveDialogs.clear();
  }
}

TEST_F(VirtualFileDrop, TheWideDialogIsOfferedTheUtf8NameAndItsFilter) {
  start(kSaveAskName);
  app->Form1().shiftOverride = true;
  oleDrop(kRowTwo, virtualFile(kKoreanUtf8));
  ASSERT_EQ(fake.interaction.saveDialogs.size(), 1u);
  EXPECT_EQ(fake.interaction.saveDialogs[0].fileName, kKoreanSaved);
  EXPECT_EQ(fake.interaction.saveDialogs[0].filterIndex, 5);
}

TEST_F(VirtualFileDrop, WhatCannotBeSavedSaysWhyAndWritesNothing) {
  struct Case {
    const char* what;
    std::size_t row;
    std::function<TakenDrop(VirtualFileDrop&)> taken;
    std::vector<RecordedMessageBox> boxes;
  };
  const Case cases[] = {
      {"the source's bytes could not be read",
       kRowTwo,
       [](VirtualFileDrop&) {
         TakenDrop taken;
         taken.virtualName = "photo.jpg";
         taken.contentError = kErrorHandleEof;
         return taken;
       },
       {systemBox(kErrorHandleEof)}},
      {"an empty name",
       kRowTwo,
       [](VirtualFileDrop& t) { return t.virtualFile(""); },
       {systemBox(kErrorInvalidName)}},
      {"a name that is only a folder",
       kRowTwo,
       [](VirtualFileDrop& t) { return t.virtualFile("folder/"); },
       {systemBox(kErrorInvalidName)}},
      {"on the mode label",
       kRowModeLabel,
       [](VirtualFileDrop& t) { return t.virtualFile("photo.jpg"); },
       {}},
      {"a folder that was deleted",
       kRowGone,
       [](VirtualFileDrop& t) { return t.virtualFile("photo.jpg"); },
       {systemBox(kErrorPathNotFound)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    start(kSaveOverwrite);
    fake.interaction.messageBoxes.clear();
    oleDrop(c.row, c.taken(*this));
    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    EXPECT_TRUE(contents(two()).empty());
    EXPECT_TRUE(fake.files.marked.empty());
    EXPECT_FALSE(noticeShown());
    EXPECT_FALSE(app->Form1().dropsBusy);
  }
}

// A drop whose file cannot be read, on either road, says why in the system's box: with the
// system's reason, or as bad data when there is none, and never with the text of code 0, which
// says that all went well.
TEST_F(VirtualFileDrop, ADropThatCannotBeReadSaysWhyButNeverWithCodeZero) {
  constexpr std::uint32_t kErrorInvalidParameter = 87;
  const auto unreadableList = [this](std::size_t row, std::uint32_t error) {
    fake.input.cursor = pointerOnRow(row);
    test::FakeDroppedFiles files({""}, app->Form1().dropsBusy);
    files.error = error;
    app->Form1().window().onDropFiles(files);
    EXPECT_EQ(files.finished, 1);
  };
  const auto taken = [this](std::size_t row, std::string virtualName, std::uint32_t error) {
    TakenDrop drop;
    drop.virtualName = std::move(virtualName);
    drop.contentError = error;
    oleDrop(row, std::move(drop));
  };
  const struct {
    const char* what;
    std::function<void()> drop;
    std::vector<RecordedMessageBox> boxes;
  } cases[] = {
      {"a dropped-file list, with the system's reason",
       [&] { unreadableList(kRowTwo, kErrorInvalidParameter); },
       {systemBox(kErrorInvalidParameter)}},
      {"a dropped-file list, without a reason",
       [&] { unreadableList(kRowTwo, 0); },
       {systemBox(kErrorInvalidData)}},
      {"a dropped-file list off the panels", [&] { unreadableList(kRowModeLabel, 0); }, {}},
      {"an OLE file list, with the system's reason",
       [&] { taken(kRowTwo, "", kErrorInvalidParameter); },
       {systemBox(kErrorInvalidParameter)}},
      {"an OLE file list, without a reason",
       [&] { taken(kRowTwo, "", 0); },
       {systemBox(kErrorInvalidData)}},
      {"a virtual file's bytes, without a reason",
       [&] { taken(kRowTwo, "photo.jpg", 0); },
       {systemBox(kErrorInvalidData)}},
      {"an OLE file list off the panels", [&] { taken(kRowModeLabel, "", 0); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(kSaveOverwrite);
    fake.interaction.messageBoxes.clear();
    c.drop();
    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    EXPECT_TRUE(contents(two()).empty());
    EXPECT_FALSE(noticeShown());
    EXPECT_FALSE(app->Form1().dropsBusy);
  }
}

TEST_F(VirtualFileDrop, AFileDroppedThroughOleIsSavedAsWmDropFilesSavesIt) {
  start(kSaveOverwrite);
  TakenDrop taken;
  taken.filePath = source("image[1].png", "on disk");
  oleDrop(kRowOne, std::move(taken));
  EXPECT_EQ(contents(fake.folder.path() / "one"), (Files{{"image.png", "on disk"}}));
  EXPECT_TRUE(noticeShown());
  // A browser offers a file from its cache: still a download, marked without an address here.
  EXPECT_EQ(fake.files.marked, (std::vector<DiskFileSystem::Marked>{
                                   {folder("one") + "\\image.png", TextEncoding::Cp932, ""}}));
}

TEST_F(VirtualFileDrop, ATakeThatThrowsLetsTheWindowGo) {
  start(kSaveOverwrite);
  fake.input.cursor = pointerOnRow(kRowTwo);
  EXPECT_THROW(
      app->Form1().window().onOleDrop([](std::uint64_t) -> TakenDrop { throw std::bad_alloc(); }),
      std::bad_alloc);
  EXPECT_FALSE(app->Form1().dropsBusy);
  EXPECT_EQ(fake.toolkit.runPosted(), 0);
}

TEST_F(VirtualFileDrop, TheWindowStaysUpFromTheDropToTheEndOfTheSave) {
  start(kSaveAskName);
  app->Form1().shiftOverride = true;
  // Released: the watcher is hiding, and the dialog's loop keeps ticking.
  app->Form1().window().setVisible(true);
  bool shownInDialog = false;
  fake.interaction.duringModal = [&] {
    for (int i = 0; i < 5; ++i) app->Form1().Timer1().onTimer();
    shownInDialog = app->Form1().window().visible();
  };
  oleDrop(kRowTwo, virtualFile("photo.jpg"));
  EXPECT_TRUE(shownInDialog);
}

// A drop made while another's box is open (its loop takes drops too) is counted with it: the
// window stays up until both are done, and the first tick after the last one hides it.
TEST_F(VirtualFileDrop, ASecondDropWhileTheFirstsDialogIsOpenKeepsTheWindowUpUntilBothAreDone) {
  const struct {
    const char* what;
    std::function<void(VirtualFileDrop&)> secondDrop;
  } cases[] = {
      {"a dropped file",
       [](VirtualFileDrop& t) { t.drop(kRowOne, {t.source("second.jpg", "2")}); }},
      {"an OLE drop",
       [](VirtualFileDrop& t) { t.oleDrop(kRowOne, t.virtualFile("second.jpg", "2")); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(fake.folder.path() / "one");
    fs::create_directory(fake.folder.path() / "one");
    start(kSaveAskName);
    Window& window = app->Form1().window();
    fake.input.title = "写真 - Mozilla Firefox";
    fake.input.held.insert(vk::kLeftButton);
    fake.input.cursor = Point{1279, kWindowTop};
    app->watcher().Timer1Timer();
    ASSERT_TRUE(window.visible());
    fake.input.held.erase(vk::kLeftButton);
    app->Form1().shiftOverride = true;  // the first drop asks for a name
    std::vector<bool> shownAfterSecond;
    bool secondMade = false;
    fake.interaction.duringModal = [&] {
      if (std::exchange(secondMade, true)) return;
      app->Form1().shiftOverride = false;
      c.secondDrop(*this);
      for (int tick = 0; tick < 3; ++tick) {
        app->watcher().Timer1Timer();
        shownAfterSecond.push_back(window.visible());
      }
    };

    oleDrop(kRowTwo, virtualFile("first.jpg"));

    EXPECT_EQ(shownAfterSecond, std::vector<bool>(3, true));
    EXPECT_EQ(contents(fake.folder.path() / "one"), (Files{{"second.jpg", "2"}}));
    EXPECT_EQ(app->Form1().dropsBusy, 0u);
    EXPECT_TRUE(window.visible());
    app->watcher().Timer1Timer();
    EXPECT_FALSE(window.visible());
  }
}

// The dragging program's data is let go only when the save is done, after any box it opened: a
// program that deletes the file it offered once it is let go would otherwise fail the save.
TEST_F(VirtualFileDrop, TheDraggingProgramsDataIsLetGoOnlyWhenTheSaveIsDone) {
  const struct {
    const char* what;
    std::size_t row;
    bool shift;
    std::size_t boxes;
  } cases[] = {
      {"a direct save", kRowTwo, false, 0},
      {"the file-name dialog", kRowTwo, true, 1},
      {"the system's error box", kRowGone, false, 1},
      {"off the panels", kRowModeLabel, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(kSaveOverwrite);
    app->Form1().shiftOverride = c.shift;
    std::optional<unsigned> busyWhenLetGo;
    std::vector<bool> heldInBox;
    fake.interaction.duringModal = [&] { heldInBox.push_back(!busyWhenLetGo.has_value()); };
    TakenDrop taken = virtualFile("photo.jpg");
    taken.dragData = std::shared_ptr<void>(new int(0), [&](void* data) {
      delete static_cast<int*>(data);
      busyWhenLetGo = app->Form1().dropsBusy;
    });

    oleDrop(c.row, std::move(taken));

    EXPECT_EQ(heldInBox, std::vector<bool>(c.boxes, true));
    // Let go before the drop stops counting, so the window is still up for it.
    EXPECT_EQ(busyWhenLetGo, std::optional<unsigned>(1));
  }
}

// The byte work of a save runs aside while the window's thread goes on ticking: the notice says
// how far it has gone once it has taken half a second, and makes way for the "saved" notice, or
// for the box of a failure, when it ends.
TEST_F(VirtualFileDrop, ALongSaveShowsItsProgressOnTheNoticeUntilItEnds) {
  const struct {
    const char* what;
    std::size_t row;
    int ticks;  // while the bytes move
    std::optional<std::uint64_t> total;
    std::uint64_t done;
    std::optional<std::string> shown;  // the notice's text while they move; none: not up
    bool savedNotice;                  // the "saved" notice afterwards
  } cases[] = {
      {"a save of under half a second looks as it always did", kRowTwo, 9, 1000, 420,
       std::nullopt, true},
      {"a known size", kRowTwo, 10, 1000, 420, "保存中 42%", true},
      {"every byte done", kRowTwo, 12, 1000, 1000, "保存中 100%", true},
      {"a size no one announced", kRowTwo, 12, std::nullopt, (12u << 20) + 5, "保存中 12 MB",
       true},
      {"a save that fails", kRowGone, 12, 1000, 420, "保存中 42%", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake.interaction.messageBoxes.clear();
    fake.worker.runs = 0;
    start(kSaveOverwrite);
    TForm4& notice = app->Form4();
    std::optional<std::string> shownWhileMoving;
    fake.worker.duringWork = [&] {
      fake.worker.advance(c.done, c.total);
      for (int tick = 0; tick < c.ticks; ++tick) app->watcher().Timer1Timer();
      if (notice.window().visible()) shownWhileMoving = notice.Panel1().caption();
    };
    std::optional<bool> upInTheBox;
    fake.interaction.duringModal = [&] {
      app->watcher().Timer1Timer();
      upInTheBox = notice.window().visible();
    };

    drop(c.row, {source("photo.jpg")});

    EXPECT_EQ(fake.worker.runs, 1);
    EXPECT_EQ(shownWhileMoving, c.shown);
    EXPECT_EQ(noticeShown(), c.savedNotice);
    if (c.savedNotice) {
      EXPECT_EQ(notice.Panel1().caption(), "保存しました");
    }
    EXPECT_EQ(upInTheBox, c.savedNotice ? std::nullopt : std::optional<bool>(false));
  }
}

// A drop that comes while a save's bytes move waits for that save, and the window stays up
// until the last one is done.
TEST_F(VirtualFileDrop, ADropWhileASaveRunsWaitsForIt) {
  const struct {
    const char* what;
    std::function<void(VirtualFileDrop&)> secondDrop;
  } cases[] = {
      {"a dropped file",
       [](VirtualFileDrop& t) { t.drop(kRowOne, {t.source("second.jpg", "2")}); }},
      {"an OLE drop",
       [](VirtualFileDrop& t) { t.oleDrop(kRowOne, t.virtualFile("second.jpg", "2")); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(fake.folder.path() / "one");
    fs::create_directory(fake.folder.path() / "one");
    start(kSaveOverwrite);
    int works = 0;
    Files oneWhenSecondDropped;
    Files twoWhenSecondSaves;
    unsigned busyWhenSecondDropped = 0;
    fake.worker.duringWork = [&] {
      ++works;
      // The first save's copy, then the second drop's take and copy.
      if (works == 1) {
        c.secondDrop(*this);
        oneWhenSecondDropped = contents(fake.folder.path() / "one");
        busyWhenSecondDropped = app->Form1().dropsBusy;
      }
      twoWhenSecondSaves = contents(two());
    };

    drop(kRowTwo, {source("first.jpg", "1")});
    fake.toolkit.runPosted();

    EXPECT_TRUE(oneWhenSecondDropped.empty());
    EXPECT_EQ(busyWhenSecondDropped, 2u);
    EXPECT_EQ(twoWhenSecondSaves, (Files{{"first.jpg", "1"}}));
    EXPECT_EQ(contents(fake.folder.path() / "one"), (Files{{"second.jpg", "2"}}));
    EXPECT_EQ(app->Form1().dropsBusy, 0u);
  }
}

// Quitting while a save runs lets it end first, with its notice, and then the program ends.
TEST_F(VirtualFileDrop, QuittingDuringASaveEndsTheProgramOnceItIsDone) {
  start(kSaveOverwrite);
  Window& main = app->mainWindow();
  int closedDuringSave = -1;
  fake.worker.duringWork = [&] {
    app->trayMenu().E1().onClick();
    fake.toolkit.runPosted();
    closedDuringSave = fake.toolkit.count(main, WindowAction::Close);
  };
  drop(kRowTwo, {source("photo.jpg", "whole")});
  EXPECT_EQ(closedDuringSave, 0);
  EXPECT_EQ(contents(two()), (Files{{"photo.jpg", "whole"}}));
  EXPECT_TRUE(noticeShown());
  fake.toolkit.runPosted();
  EXPECT_EQ(fake.toolkit.count(main, WindowAction::Close), 1);
}

// A virtual file of no announced size may bring at most the room on the panel's drive; it is
// taken aside, while the window answers.
TEST_F(VirtualFileDrop, TheTakeIsGivenTheRoomOfThePanelsDriveAndRunsAside) {
  const struct {
    const char* what;
    std::size_t row;
    std::optional<std::uint64_t> freeSpace;
    std::uint64_t room;
  } cases[] = {
      {"the drive says", kRowTwo, 5000, 5000},
      {"the drive cannot tell", kRowTwo, std::nullopt, kUnlimitedRoom},
      {"off the panels nothing is saved", kRowModeLabel, 5000, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(kSaveOverwrite);
    fake.files.room = c.freeSpace;
    oleDrop(c.row, virtualFile("photo.jpg"));
    EXPECT_EQ(room, c.room);
    EXPECT_TRUE(takenAside);
  }
}

// How much of a virtual file is read: what it announced, else up to one byte past the room, which
// tells a file that does not fit (a full disk) from one that just fits.
TEST(VirtualFileLength, ReadsWhatWasAnnouncedOrUpToTheRoom) {
  constexpr std::uint64_t kChunk = 100;
  const struct {
    const char* what;
    std::optional<std::uint64_t> announced;
    std::uint64_t read;
    std::uint64_t room;
    std::uint64_t next;
    std::uint32_t error;  // if it ended here
  } cases[] = {
      {"announced, under way", 250, 200, 0, 50, kErrorHandleEof},
      {"announced, all read", 250, 250, 0, 0, kErrorSuccess},
      {"unannounced, plenty of room", std::nullopt, 200, kUnlimitedRoom, kChunk, kErrorSuccess},
      {"unannounced, nearly at the room", std::nullopt, 200, 230, 31, kErrorSuccess},
      {"unannounced, exactly the room", std::nullopt, 230, 230, 1, kErrorSuccess},
      {"unannounced, past the room", std::nullopt, 231, 230, 0, kErrorDiskFull},
      {"no room at all", std::nullopt, 0, 0, 1, kErrorSuccess},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(virtual_file::wantedNext(c.announced, c.read, kChunk, c.room), c.next);
    EXPECT_EQ(virtual_file::completeness(c.announced, c.read, c.room), c.error);
  }
}

}  // namespace
}  // namespace qm
