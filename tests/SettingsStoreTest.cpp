#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "SettingsTestImage.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeInteraction.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

const RecordedMessageBox kMissingBox{"設定ファイルが見つかりません。\n初期値で起動します。",
                                     "Quillmarten", 0x00};
const RecordedMessageBox kSaveErrorBox{"設定を保存できません", "SAVE ERROR", 0x10};

// A fresh, empty folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    do {
      path_ = fs::temp_directory_path() / ("qm-settings-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return path_; }
  // The names of everything in the folder.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  fs::path path_;
};

Bytes readDisk(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeDisk(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

class SettingsStoreTest : public testing::Test {
 protected:
  SettingsStoreTest() {
    store.computePath();
    store.onSaved = [this] { ++saved; };
  }

  fs::path settingsFile() const { return folder.path() / "Quillmarten.dat"; }

  TempFolder folder;
  DiskFileSystem files{(folder.path() / "Quillmarten.exe").string()};
  FakeInteraction ui;
  SettingsStore store{files, ui};
  int saved = 0;
};

// ---- the path ----

TEST(SettingsStorePath, IsTheExecutablesFolderPlusTheFileName) {
  const struct {
    const char* exe;
    const char* expected;
  } cases[] = {
      {"C:\\Tools\\Quillmarten.exe", "C:\\Tools\\Quillmarten.dat"},
      {"C:\\表\\Quillmarten.exe", "C:\\表\\Quillmarten.dat"},
      // 表 and ソ end in the byte 0x5C; only a real separator counts
      {"C:\\dir\\表.exe", "C:\\dir\\Quillmarten.dat"},
      {"C:\\ソフト\\表示ソ.exe", "C:\\ソフト\\Quillmarten.dat"},
      {"/opt/qm/Quillmarten.exe", "/opt/qm/Quillmarten.dat"},
      {"C:\\a/b\\c.exe", "C:\\a/b\\Quillmarten.dat"},
      {"C:\\a\\b/c.exe", "C:\\a\\b/Quillmarten.dat"},
      {"Quillmarten.exe", "Quillmarten.dat"},
  };
  for (const auto& c : cases) {
    DiskFileSystem files(c.exe);
    FakeInteraction ui;
    SettingsStore store(files, ui);
    store.computePath();
    EXPECT_EQ(store.path(), c.expected) << c.exe;
  }
}

TEST(SettingsStorePath, MustFitIn260BytesWithItsZero) {
  const struct {
    std::size_t pathBytes;
    bool kept;
  } cases[] = {{258, true}, {259, true}, {260, false}, {261, false}, {400, false}};
  for (const auto& c : cases) {
    // "C:\" + padding + "\" + "Quillmarten.dat"
    const std::string folder = "C:\\" + std::string(c.pathBytes - 3 - 1 - 15, 'f') + "\\";
    DiskFileSystem files(folder + "Quillmarten.exe");
    FakeInteraction ui;
    SettingsStore store(files, ui);
    store.computePath();
    EXPECT_EQ(store.path(), c.kept ? folder + "Quillmarten.dat" : "") << c.pathBytes;
  }
}

TEST(SettingsStorePath, APathOf259BytesIsUsed) {
  TempFolder temp;
  std::string folder = temp.path().string() + "/";
  ASSERT_LT(folder.size(), 240u);
  while (folder.size() < 244) {
    std::size_t room = 244 - folder.size();
    std::size_t length = std::min<std::size_t>(100, room - 1);
    if (room - length - 1 == 1) --length;  // never leave room for a lone separator
    folder += std::string(length, 'd') + "/";
    fs::create_directory(folder);
  }
  DiskFileSystem files(folder + "Quillmarten.exe");
  FakeInteraction ui;
  SettingsStore store(files, ui);
  store.computePath();
  ASSERT_EQ(store.path().size(), 259u);

  store.settings().saveMode = 2;
  store.saveSettings();
  EXPECT_EQ(readDisk(store.path()).size(), 17796u);
  store.settings().saveMode = 0;
  EXPECT_EQ(store.loadSettings(0), SettingsStore::LoadResult::FromFile);
  EXPECT_EQ(store.settings().saveMode, 2);
  EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST(SettingsStorePath, ATooLongPathReadsAsMissingAndRefusesToSave) {
  TempFolder temp;
  const std::string folder =
      temp.path().string() + "/" + std::string(100, 'd') + "/" + std::string(200, 'e') + "/";
  DiskFileSystem files(folder + "Quillmarten.exe");
  FakeInteraction ui;
  SettingsStore store(files, ui);
  int saved = 0;
  store.onSaved = [&] { ++saved; };
  store.computePath();
  EXPECT_EQ(store.path(), "");

  EXPECT_EQ(store.loadSettings(0), SettingsStore::LoadResult::Defaults);
  store.loadFolderLists();
  EXPECT_TRUE(store.folderLists().settingsFileMissing);
  store.setSaveMode(0);

  EXPECT_EQ(ui.messageBoxes, (std::vector{kMissingBox, kSaveErrorBox}));
  EXPECT_EQ(files.reads, 0);
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(saved, 0);
  EXPECT_TRUE(temp.entries().empty());
}

// ---- loading ----

TEST_F(SettingsStoreTest, WithoutAFileTheDefaultsAreAppliedAfterTheMessage) {
  Settings& settings = store.settings();
  settings.saveMode = 2;
  settings.dropWindowSize = 2;
  settings.switchFlags = 0xFF;
  settings.lastListIndex = 3;
  settings.slots[0].name.assign("a much longer old name");
  settings.slots[3].name.assign("kept");
  settings.slots[3].path.assign("D:\\kept");
  settings.soundPath.assign("D:\\kept.wav");

  EXPECT_EQ(store.loadSettings(0), SettingsStore::LoadResult::Defaults);

  EXPECT_EQ(ui.messageBoxes, std::vector{kMissingBox});
  EXPECT_EQ(settings.saveMode, 1);
  EXPECT_EQ(settings.dropWindowSize, 0);
  EXPECT_EQ(settings.switchFlags, 0);
  EXPECT_EQ(settings.lastListIndex, 0);
  Bytes name(32, 0);
  test::putBytes(name, 0, "C:直下");
  EXPECT_EQ(Bytes(settings.slots[0].name.bytes().begin(), settings.slots[0].name.bytes().end()),
            name);
  EXPECT_EQ(settings.slots[0].path.str(), "C:\\");
  EXPECT_EQ(settings.slots[3].name.str(), "kept");
  EXPECT_EQ(settings.slots[3].path.str(), "D:\\kept");
  EXPECT_TRUE(settings.slots[1].path.empty());
  EXPECT_EQ(settings.soundPath.str(), "D:\\kept.wav");

  // Nothing is written; the message comes again at every load until a save.
  EXPECT_TRUE(folder.entries().empty());
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(store.loadSettings(1), SettingsStore::LoadResult::Defaults);
  EXPECT_EQ(ui.messageBoxes, (std::vector{kMissingBox, kMissingBox}));
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(SettingsStoreTest, LoadsTheHeaderTheCurrentListAndTheSound) {
  writeDisk(settingsFile(), test::labelledImage("C:\\sound.wav"));
  for (int list = 0; list < 5; ++list) {
    EXPECT_EQ(store.loadSettings(list), SettingsStore::LoadResult::FromFile);
    const Settings& settings = store.settings();
    EXPECT_EQ(settings.saveMode, 2);
    EXPECT_EQ(settings.dropWindowSize, 2);
    EXPECT_EQ(settings.switchFlags, 0x30);
    EXPECT_EQ(settings.lastListIndex, 4);
    for (int slot = 0; slot < 12; ++slot) {
      EXPECT_EQ(settings.slots[slot].name.str(), test::slotName(list, slot));
      EXPECT_EQ(settings.slots[slot].path.str(), test::slotPath(list, slot));
    }
    EXPECT_EQ(settings.soundPath.str(), "C:\\sound.wav");
  }
  EXPECT_TRUE(ui.messageBoxes.empty());
  EXPECT_EQ(files.writes, 0);
}

TEST_F(SettingsStoreTest, ShortAndOverLongFilesAreReadAsFarAsTheyMatter) {
  const Bytes full = test::labelledImage("C:\\sound.wav");
  const struct {
    std::size_t length;
    std::int16_t mode;
    std::string name0;  // the display name of slot 1
    std::string sound;
  } cases[] = {
      {0, 0, "old", "old.wav"},
      {10, 2, "old", "old.wav"},
      {20, 2, "L0S0", "old.wav"},  // the name field is cut after "L0S0"
      {18, 2, "L0d", "old.wav"},   // only "L0" reached it: "L0" + "d" of "old"
      {17536 + 3, 2, "L0S0", "C:\\.wav"},
      {17796, 2, "L0S0", "C:\\sound.wav"},
      {17796 + 1000, 2, "L0S0", "C:\\sound.wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    Bytes file = full;
    file.resize(c.length, 'x');
    writeDisk(settingsFile(), file);
    store.settings() = Settings{};
    store.settings().slots[0].name.assign("old");
    store.settings().soundPath.assign("old.wav");

    EXPECT_EQ(store.loadSettings(0), SettingsStore::LoadResult::FromFile);
    EXPECT_EQ(store.settings().saveMode, c.mode);
    EXPECT_EQ(store.settings().slots[0].name.str(), c.name0);
    EXPECT_EQ(store.settings().soundPath.str(), c.sound);
  }
  EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(SettingsStoreTest, OutOfRangeHeaderValuesLoadAsTheirDefaultsOrClamped) {
  writeDisk(settingsFile(), test::imageWithHeader(7, -1, 0x0F, 9));
  EXPECT_EQ(store.loadSettings(9), SettingsStore::LoadResult::FromFile);
  EXPECT_EQ(store.settings().saveMode, 1);
  EXPECT_EQ(store.settings().dropWindowSize, 0);
  EXPECT_EQ(store.settings().lastListIndex, 4);
  EXPECT_EQ(store.settings().switchFlags, 0x0F);
}

TEST_F(SettingsStoreTest, FolderListsWithoutAFileStayAsTheyAreAndTheFileIsNotedMissing) {
  store.folderLists().lists[2][5].name.assign("untouched");
  store.loadFolderLists();
  EXPECT_TRUE(store.folderLists().settingsFileMissing);
  EXPECT_EQ(store.folderLists().lists[2][5].name.str(), "untouched");
  EXPECT_TRUE(ui.messageBoxes.empty());
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(SettingsStoreTest, FolderListsAreReadWhole) {
  writeDisk(settingsFile(), test::labelledImage(""));
  store.loadFolderLists();
  EXPECT_FALSE(store.folderLists().settingsFileMissing);
  for (int list = 0; list < 5; ++list) {
    for (int slot = 0; slot < 12; ++slot) {
      EXPECT_EQ(store.folderLists().lists[list][slot].name.str(), test::slotName(list, slot));
      EXPECT_EQ(store.folderLists().lists[list][slot].path.str(), test::slotPath(list, slot));
    }
  }
}

// ---- saving ----

TEST_F(SettingsStoreTest, SaveWritesTheWholeImageThenRefreshes) {
  Settings& settings = store.settings();
  settings.saveMode = 2;
  settings.dropWindowSize = 1;
  settings.switchFlags = 0x20;
  settings.lastListIndex = 2;
  settings.soundPath.assign("C:\\音.wav");
  settings.slots[0].name.assign("the drop window's copy is not saved");
  store.folderLists().settingsFileMissing = true;
  store.folderLists().lists[0][0].name.assign("画像");
  store.folderLists().lists[0][0].path.assign("C:\\画像");
  store.folderLists().lists[2][11].name.assign("x");
  store.folderLists().lists[2][11].path.assign("C:\\x");

  store.saveSettings();

  Bytes expected = test::imageWithHeader(2, 1, 0x20, 2);
  test::putBytes(expected, 16, "画像");
  test::putBytes(expected, 48, "C:\\画像");
  test::putBytes(expected, 7024 + 292 * 11, "x");
  test::putBytes(expected, 7024 + 292 * 11 + 32, "C:\\x");
  test::putBytes(expected, 17536, "C:\\音.wav");
  const Bytes file = readDisk(settingsFile());
  ASSERT_EQ(file.size(), 17796u);
  EXPECT_EQ(file, expected);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 16),
            (Bytes{0x02, 0x00, 0x01, 0x00, 0x20, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(store.folderLists().settingsFileMissing);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(files.writes, 1);
  EXPECT_TRUE(ui.messageBoxes.empty());
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"Quillmarten.dat"});  // no temporary left
}

TEST_F(SettingsStoreTest, SaveWithoutARefreshHandlerStillSaves) {
  store.onSaved = nullptr;
  store.settings().saveMode = 1;
  store.saveSettings();
  EXPECT_EQ(readDisk(settingsFile()).size(), 17796u);
}

TEST_F(SettingsStoreTest, FirstSaveWithoutAFileCreatesItFromTheEmptyLists) {
  store.onSaved = [this] {
    ++saved;
    store.loadSettings(0);  // the drop window's refresh
  };
  EXPECT_EQ(store.loadSettings(0), SettingsStore::LoadResult::Defaults);
  store.loadFolderLists();

  store.setSaveMode(2);

  const Bytes file = readDisk(settingsFile());
  ASSERT_EQ(file.size(), 17796u);
  EXPECT_EQ(file, test::imageWithHeader(2, 0, 0, 0));
  EXPECT_EQ(saved, 1);
  EXPECT_FALSE(store.folderLists().settingsFileMissing);
  EXPECT_EQ(store.settings().saveMode, 2);
  EXPECT_TRUE(store.settings().slots[0].path.empty());  // no folder offered any more
  EXPECT_EQ(ui.messageBoxes, std::vector{kMissingBox});
}

TEST_F(SettingsStoreTest, AValidFileRoundTripsByteForByte) {
  for (int list : {0, 3}) {
    SCOPED_TRACE(list);
    const Bytes file = test::scrambledImage(40 + static_cast<std::uint32_t>(list));
    writeDisk(settingsFile(), file);
    store.loadSettings(list);
    store.loadFolderLists();
    store.saveSettings();
    EXPECT_EQ(readDisk(settingsFile()), file);
  }
}

TEST_F(SettingsStoreTest, AnOverLongFileIsSavedBackAsItsFirst17796Bytes) {
  Bytes file = test::scrambledImage(5);
  file.resize(17796 + 123, 0x7A);
  writeDisk(settingsFile(), file);
  store.loadSettings(1);
  store.loadFolderLists();
  store.saveSettings();
  EXPECT_EQ(readDisk(settingsFile()), Bytes(file.begin(), file.begin() + 17796));
}

TEST_F(SettingsStoreTest, AFailedWriteKeepsTheOldFileAndReports) {
  for (std::size_t fullAfter : {std::size_t{0}, std::size_t{100}, std::size_t{17795}}) {
    SCOPED_TRACE(fullAfter);
    const Bytes old = test::scrambledImage(9);
    writeDisk(settingsFile(), old);
    store.loadSettings(0);
    store.loadFolderLists();
    store.folderLists().settingsFileMissing = true;
    ui.messageBoxes.clear();
    saved = 0;

    files.diskFullAfter = fullAfter;
    store.setSaveMode(0);

    EXPECT_EQ(readDisk(settingsFile()), old);
    EXPECT_EQ(ui.messageBoxes, std::vector{kSaveErrorBox});
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(store.settings().saveMode, 0);  // the new value stays in memory
    EXPECT_TRUE(store.folderLists().settingsFileMissing);
    files.diskFullAfter.reset();
  }
}

TEST_F(SettingsStoreTest, SettingAValueSavesOnlyWhenItChanges) {
  enum class Which { Mode, Size };
  const struct {
    Which which;
    std::int16_t value;
    int writes;
  } cases[] = {
      {Which::Mode, 1, 0}, {Which::Mode, 0, 1}, {Which::Mode, 2, 1},
      {Which::Size, 0, 0}, {Which::Size, 1, 1}, {Which::Size, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.which == Which::Mode ? "mode " : "size ") << c.value);
    const Bytes old = test::imageWithHeader(1, 0, 0, 0);
    writeDisk(settingsFile(), old);
    store.loadSettings(0);
    files.writes = 0;
    saved = 0;

    if (c.which == Which::Mode) {
      store.setSaveMode(c.value);
    } else {
      store.setDropWindowSize(c.value);
    }

    EXPECT_EQ(files.writes, c.writes);
    EXPECT_EQ(saved, c.writes);
    Bytes expected = old;
    expected[c.which == Which::Mode ? 0 : 2] = static_cast<std::uint8_t>(c.value);
    EXPECT_EQ(readDisk(settingsFile()), expected);
    EXPECT_EQ(c.which == Which::Mode ? store.settings().saveMode : store.settings().dropWindowSize,
              c.value);
  }
  EXPECT_TRUE(ui.messageBoxes.empty());
}

}  // namespace
}  // namespace qm
