#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <tuple>

#include "SettingsTestImage.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeInteraction.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using Load = SettingsStore::LoadResult;

const RecordedMessageBox kMissingBox{"設定ファイルが見つかりません。\n初期値で起動します。",
                                     "Quillmarten", 0x00};
const RecordedMessageBox kSaveErrorBox{"設定を保存できません", "SAVE ERROR", 0x10};

Bytes readDisk(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeDisk(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

TEST(SettingsStorePath, IsTheExecutablesFolderPlusTheFileNameIfItFits) {
  // With an n-byte folder name the path takes 3 + n + 1 + 15 bytes; 259 leave room for the zero.
  const auto inFolder = [](std::size_t n, const char* name) {
    return "C:\\" + std::string(n, 'f') + "\\" + name;
  };
  const struct {
    EncodedText exe;
    std::string expected;
  } cases[] = {
      // 表 and ソ end in the byte 0x5C; only a real separator counts
      {"C:\\表\\Quillmarten.exe", "C:\\表\\Quillmarten.dat"},
      {"C:\\dir\\表.exe", "C:\\dir\\Quillmarten.dat"},
      {"C:\\ソフト\\表示ソ.exe", "C:\\ソフト\\Quillmarten.dat"},
      {"C:\\a/b\\c.exe", "C:\\a/b\\Quillmarten.dat"},
      {"C:\\a\\b/c.exe", "C:\\a\\b/Quillmarten.dat"},
      {"Quillmarten.exe", "Quillmarten.dat"},
      // A folder code page 932 cannot spell: "사진" in UTF-8 ends in 0x84, a lead byte in 932.
      {{"C:\\\xEC\x82\xAC\xEC\xA7\x84\\q.exe", TextEncoding::Utf8},
       "C:\\\xEC\x82\xAC\xEC\xA7\x84\\Quillmarten.dat"},
      {inFolder(240, "q.exe"), inFolder(240, "Quillmarten.dat")},
      {inFolder(241, "q.exe"), ""},
  };
  for (const auto& c : cases) {
    DiskFileSystem files(c.exe);
    FakeInteraction ui;
    SettingsStore store(files, ui);
    store.computePath();
    EXPECT_EQ(store.path(), c.expected) << c.exe.bytes;
  }
}

// Each test runs beside an executable in a fresh folder, removed with its contents afterwards.
class SettingsStoreTest : public testing::Test {
 protected:
  SettingsStoreTest() {
    store.computePath();
    store.onSaved = [this] { ++saved; };
  }
  ~SettingsStoreTest() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  static fs::path freshFolder() {
    std::random_device random;
    fs::path path;
    do {
      path = fs::temp_directory_path() / ("qm-settings-" + std::to_string(random()));
    } while (!fs::create_directory(path));
    return path;
  }
  fs::path settingsFile() const { return folder / "Quillmarten.dat"; }

  fs::path folder = freshFolder();
  DiskFileSystem files{(folder / "Quillmarten.exe").string()};
  FakeInteraction ui;
  SettingsStore store{files, ui};
  int saved = 0;
};

TEST_F(SettingsStoreTest, WithoutAFileTheDefaultsApplyUntilTheFirstSaveCreatesIt) {
  store.onSaved = [this] {
    ++saved;
    store.loadSettings(0);  // the drop window's refresh
  };
  Settings& settings = store.settings();
  std::tie(settings.saveMode, settings.dropWindowSize, settings.switchFlags,
           settings.lastListIndex) = std::tuple(2, 2, 0xFF, 3);
  settings.slots[0].name.assign("a much longer old name");
  settings.slots[3].path.assign("D:\\kept");
  settings.soundPath.assign("D:\\kept.wav");
  store.folderLists().lists[2][5].name.assign("kept");

  EXPECT_EQ(store.loadSettings(0), Load::Defaults);
  EXPECT_EQ(store.loadSettings(1), Load::Defaults);
  store.loadFolderLists();

  EXPECT_EQ(ui.messageBoxes, (std::vector{kMissingBox, kMissingBox}));
  EXPECT_EQ(std::tie(settings.saveMode, settings.dropWindowSize, settings.switchFlags,
                     settings.lastListIndex),
            std::tuple(1, 0, 0, 0));
  EXPECT_EQ(std::string(settings.slots[0].name.bytes().data(), 32),
            std::string("C:直下") + std::string(26, '\0'));  // the older name is cleared
  EXPECT_EQ(settings.slots[0].path.str(), "C:\\");
  EXPECT_EQ(settings.slots[3].path.str(), "D:\\kept");
  EXPECT_EQ(settings.soundPath.str(), "D:\\kept.wav");
  EXPECT_TRUE(store.folderLists().settingsFileMissing);
  EXPECT_EQ(store.folderLists().lists[2][5].name.str(), "kept");
  EXPECT_TRUE(fs::is_empty(folder));

  // The first save writes the lists the store holds, not the default folder, so the refresh that
  // reads the new file drops that folder.
  store.setSaveMode(2);

  Bytes expected = test::imageWithHeader(2, 0, 0, 0);
  test::putBytes(expected, test::nameAt(2, 5), "kept");
  test::putBytes(expected, test::kSoundAt, "D:\\kept.wav");
  EXPECT_EQ(readDisk(settingsFile()), expected);
  EXPECT_EQ(saved, 1);
  EXPECT_FALSE(store.folderLists().settingsFileMissing);
  EXPECT_EQ(settings.saveMode, 2);
  EXPECT_TRUE(settings.slots[0].path.empty());
  EXPECT_EQ(ui.messageBoxes.size(), 2u);
}

TEST_F(SettingsStoreTest, APathTooLongReadsAsMissingAndCannotBeSaved) {
  DiskFileSystem longFiles((folder / std::string(300, 'd') / "Quillmarten.exe").string());
  SettingsStore longStore(longFiles, ui);
  longStore.onSaved = [this] { ++saved; };
  longStore.computePath();
  ASSERT_EQ(longStore.path(), "");

  EXPECT_EQ(longStore.loadSettings(0), Load::Defaults);
  longStore.loadFolderLists();
  EXPECT_TRUE(longStore.folderLists().settingsFileMissing);
  longStore.setSaveMode(0);

  EXPECT_EQ(ui.messageBoxes, (std::vector{kMissingBox, kSaveErrorBox}));
  EXPECT_EQ(longFiles.reads + longFiles.writes + saved, 0);
  EXPECT_TRUE(fs::is_empty(folder));
}

// The file is replaced whole or not at all: a write that fails part way leaves the old file.
TEST_F(SettingsStoreTest, SaveReplacesTheFileOrKeepsTheOldOneAndReports) {
  const Bytes old = test::scrambledImage(9);  // save mode 2
  Bytes changed = old;
  changed[0] = 0;
  writeDisk(settingsFile(), old);
  store.loadFolderLists();
  EXPECT_FALSE(store.folderLists().settingsFileMissing);  // the file is there
  const std::optional<std::size_t> diskFullAfter[] = {std::nullopt, 0, 17795};
  for (const auto& fullAfter : diskFullAfter) {
    const bool fails = fullAfter.has_value();
    SCOPED_TRACE(fails ? std::to_string(*fullAfter) : "no failure");
    writeDisk(settingsFile(), old);
    store.loadSettings(0);
    store.loadFolderLists();
    store.folderLists().settingsFileMissing = true;  // as a start without the file left it
    ui.messageBoxes.clear();
    saved = 0;

    files.diskFullAfter = fullAfter;
    store.setSaveMode(0);

    EXPECT_EQ(readDisk(settingsFile()), fails ? old : changed);
    EXPECT_EQ(ui.messageBoxes,
              fails ? std::vector{kSaveErrorBox} : std::vector<RecordedMessageBox>{});
    EXPECT_EQ(saved, fails ? 0 : 1);
    EXPECT_EQ(store.folderLists().settingsFileMissing, fails);
    // A failed save keeps the value the file holds, so that a later refresh changes nothing.
    EXPECT_EQ(store.settings().saveMode, fails ? 2 : 0);
  }
}

TEST_F(SettingsStoreTest, SaveWithoutARefreshHandlerStillSaves) {
  store.onSaved = nullptr;
  store.saveSettings();
  EXPECT_EQ(readDisk(settingsFile()).size(), test::kImageBytes);
}

TEST_F(SettingsStoreTest, SettingAValueSavesOnlyWhenItChanges) {
  const struct {
    bool mode;  // else the drop window size
    int value, writes;
  } cases[] = {{true, 1, 0},  {true, 0, 1},  {true, 2, 1},
               {false, 0, 0}, {false, 1, 1}, {false, 2, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.mode ? "mode " : "size ") << c.value);
    const Bytes old = test::imageWithHeader(1, 0, 0, 0);
    writeDisk(settingsFile(), old);
    store.loadSettings(0);
    files.writes = saved = 0;

    c.mode ? store.setSaveMode(c.value) : store.setDropWindowSize(c.value);

    EXPECT_EQ(files.writes, c.writes);
    EXPECT_EQ(saved, c.writes);
    Bytes expected = old;
    expected[c.mode ? 0 : 2] = static_cast<std::uint8_t>(c.value);
    EXPECT_EQ(readDisk(settingsFile()), expected);
    EXPECT_EQ(c.mode ? store.settings().saveMode : store.settings().dropWindowSize, c.value);
  }
  EXPECT_TRUE(ui.messageBoxes.empty());
}

}  // namespace
}  // namespace qm
