// Faults injected through the fake platform, one table row each: a settings save that cannot
// complete, a copy that fails with an error a user can meet, a box or the save dialog that ends
// with an error. Every row checks that the settings file is as it was, byte for byte, that the
// user saw the box the program shows for it, and that a following drop and tick still work.
#include <gtest/gtest.h>

#include <functional>

#include "DropTestSupport.h"
#include "platform/Keys.h"
#include "platform/Win32Codes.h"

namespace qm {
namespace {

using test::Files;
using Fault = DiskFileSystem::ReplaceFault;
namespace fs = std::filesystem;

constexpr unsigned kInfoBox = kMbOk | kMbIconInformation;
constexpr unsigned kErrorBox = kMbOk | kMbIconError;
constexpr std::uint32_t kErrorSharingViolation = 32;
// Common dialog errors: what CommDlgExtendedError reports when GetSaveFileName fails.
constexpr std::uint32_t kFnErrInvalidFileName = 0x3002;
constexpr std::uint32_t kFnErrBufferTooSmall = 0x3003;

const RecordedMessageBox kSaveErrorBox{"設定を保存できません", "SAVE ERROR", kErrorBox};

RecordedMessageBox systemBox(std::uint32_t code, unsigned style = kInfoBox) {
  return {"system message " + std::to_string(code), "Quillmarten", style};
}

class InjectedFaults : public test::DropTest {
 protected:
  fs::path two() const { return fake.folder.path() / "two"; }

  std::optional<std::string> settingsBytes() const {
    if (!fs::exists(fake.folder.settingsPath())) return std::nullopt;
    std::ifstream in(fake.folder.settingsPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // The program goes on: a drag brings the window up, a drop saves with the notice, and the
  // release hides the window at the next tick.
  void expectTheProgramGoesOn(const std::string& name) {
    fake.files.diskFullAfter.reset();
    fake.files.replaceFault = Fault::None;
    fake.files.copyErrors.clear();
    fake.interaction.messageBoxes.clear();
    fake.interaction.duringModal = nullptr;
    app->Form1().shiftOverride = false;
    fake.input.title = "写真 - Mozilla Firefox";
    fake.input.held = {vk::kLeftButton};
    fake.input.cursor = Point{1279, kWindowTop};
    app->watcher().Timer1Timer();
    app->watcher().Timer1Timer();
    ASSERT_TRUE(app->Form1().window().visible());
    fake.input.held.clear();
    const Files before = contents(two());

    drop(kRowTwo, {source(name, "later")});

    Files after = before;
    after[name] = "later";
    EXPECT_EQ(contents(two()), after);
    EXPECT_TRUE(noticeShown());
    EXPECT_TRUE(fake.interaction.messageBoxes.empty());
    app->watcher().Timer1Timer();
    app->watcher().Timer1Timer();
    EXPECT_FALSE(app->Form1().window().visible());
    EXPECT_EQ(app->watcher().state(), DragWatcher::State::Idle);
  }
};

TEST_F(InjectedFaults, ASettingsSaveThatCannotCompleteKeepsTheOldFile) {
  const struct {
    const char* what;
    bool fileBefore;
    std::function<void(DiskFileSystem&)> inject;
  } cases[] = {
      {"the file cannot be created", true,
       [](DiskFileSystem& f) { f.replaceFault = Fault::CannotCreate; }},
      {"the first file cannot be created", false,
       [](DiskFileSystem& f) { f.replaceFault = Fault::CannotCreate; }},
      {"a write returns short", true,
       [](DiskFileSystem& f) { f.replaceFault = Fault::ShortWrite; }},
      {"putting the new file in place fails", true,
       [](DiskFileSystem& f) { f.replaceFault = Fault::MoveFails; }},
      {"the disk is full from the start", true, [](DiskFileSystem& f) { f.diskFullAfter = 0; }},
      {"the disk fills in the middle", true, [](DiskFileSystem& f) { f.diskFullAfter = 8898; }},
      {"the disk fills before the last byte", true,
       [](DiskFileSystem& f) { f.diskFullAfter = 17795; }},
      {"the disk fills while the first file is written", false,
       [](DiskFileSystem& f) { f.diskFullAfter = 100; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(fake.folder.settingsPath().string() + ".tmp");
    start(kSaveNumbered);
    if (!c.fileBefore) fake.folder.removeSettings();
    const std::optional<std::string> before = settingsBytes();
    fake.interaction.messageBoxes.clear();
    c.inject(fake.files);

    app->trayMenu().N1().onClick();  // overwrite mode: a change, so a save

    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(fake.interaction.messageBoxes, std::vector{kSaveErrorBox});
    // The choice that could not be stored is not in effect either.
    EXPECT_EQ(app->Form1().settings().saveMode, kSaveNumbered);
    if (c.fileBefore) {
      expectTheProgramGoesOn("after-" + std::to_string(&c - cases) + ".jpg");
      // Once the disk is well again, the next change is stored.
      app->trayMenu().N3().onClick();
      ASSERT_TRUE(settingsBytes().has_value());
      EXPECT_EQ(settingsBytes()->at(0), kSaveAskName);
      EXPECT_TRUE(fake.interaction.messageBoxes.empty());
    }
  }
}

TEST_F(InjectedFaults, ACopyFailingWithAUsersErrorIsReportedByTheMode) {
  const std::uint32_t errors[] = {kErrorPathNotFound, kErrorAccessDenied, kErrorSharingViolation,
                                  kErrorFileExists,   kErrorDiskFull,     kErrorFilenameExcedRange};
  for (const std::int16_t mode : {kSaveOverwrite, kSaveNumbered, kSaveAskName}) {
    for (const std::uint32_t error : errors) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", error " << error);
      fs::remove_all(two());
      fs::create_directory(two());
      start(mode);
      const std::optional<std::string> settingsBefore = settingsBytes();
      fake.interaction.messageBoxes.clear();
      fake.interaction.saveDialogs.clear();
      fake.files.copyErrors = {error};
      fake.files.copies = 0;

      drop(kRowTwo, {source("photo.jpg", "new")});

      // Only a taken name is worth a numbered one; the file-name mode asks for any failure.
      const bool numbered = mode == kSaveNumbered && error == kErrorFileExists;
      const bool dialog = mode == kSaveAskName;
      const bool box = !numbered && !dialog;
      EXPECT_EQ(fake.interaction.messageBoxes,
                box ? std::vector{systemBox(error)} : std::vector<RecordedMessageBox>{});
      EXPECT_EQ(fake.interaction.saveDialogs.size(), dialog ? 1u : 0u);
      EXPECT_EQ(fake.files.copies, numbered ? 2 : 1);
      EXPECT_EQ(contents(two()), (numbered ? Files{{"photo0.jpg", "new"}} : Files{}));
      EXPECT_EQ(noticeShown(), numbered);
      EXPECT_EQ(settingsBytes(), settingsBefore);
      EXPECT_FALSE(app->Form1().dropsBusy);
      expectTheProgramGoesOn("next.jpg");
    }
  }
}

TEST_F(InjectedFaults, ABoxOrTheDialogEndingWithAnErrorEndsTheDropAndNothingElse) {
  const struct {
    const char* what;
    std::int16_t mode;
    std::size_t row;
    std::optional<std::uint32_t> dialogError;  // the dialog ends without a path, for this reason
    std::vector<RecordedMessageBox> boxes;
  } cases[] = {
      {"the system error box fails", kSaveOverwrite, kRowGone, {}, {systemBox(kErrorPathNotFound)}},
      {"the dialog fails: a name it cannot take",
       kSaveAskName,
       kRowGone,
       kFnErrInvalidFileName,
       {systemBox(kFnErrInvalidFileName, kErrorBox)}},
      {"the dialog fails: its buffer is too small",
       kSaveAskName,
       kRowGone,
       kFnErrBufferTooSmall,
       {systemBox(kFnErrBufferTooSmall, kErrorBox)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    start(c.mode);
    const std::optional<std::string> settingsBefore = settingsBytes();
    fake.interaction.messageBoxes.clear();
    fake.interaction.saveDialogs.clear();
    // MessageBoxA returns 0 when it cannot show the box.
    fake.interaction.messageBoxAnswers = {0};
    if (c.dialogError) fake.interaction.saveDialogAnswers = {SaveDialogResult{{}, *c.dialogError}};

    drop(c.row, {source("photo.jpg")});

    EXPECT_EQ(fake.interaction.messageBoxes, c.boxes);
    EXPECT_EQ(fake.interaction.saveDialogs.size(), c.dialogError ? 1u : 0u);
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(settingsBytes(), settingsBefore);
    EXPECT_FALSE(app->Form1().dropsBusy);
    expectTheProgramGoesOn("next-" + std::to_string(&c - cases) + ".jpg");
    fake.interaction.messageBoxAnswers.clear();
    fake.interaction.saveDialogAnswers.clear();
  }
}

TEST_F(InjectedFaults, TheMissingFileBoxFailingStillStartsOnTheDefaults) {
  fake.interaction.messageBoxAnswers = {0};
  app.emplace(fake.platform);
  EXPECT_EQ(fake.interaction.messageBoxes.size(), 1u);
  EXPECT_EQ(app->Form1().settings().saveMode, kSaveNumbered);
  EXPECT_EQ(app->Form1().folderPanels()[0].caption(), "C:直下");
  EXPECT_FALSE(fs::exists(fake.folder.settingsPath()));
}

}  // namespace
}  // namespace qm
