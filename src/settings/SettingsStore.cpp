#include "settings/SettingsStore.h"

#include <optional>
#include <vector>

#include "platform/AppIdentity.h"
#include "platform/FileSystem.h"
#include "platform/Interaction.h"
#include "platform/Win32Codes.h"
#include "settings/SettingsFile.h"
#include "text/Cp932.h"

namespace qm {
namespace {

constexpr const char* kFileName = "Quillmarten.dat";
// A settings file path must fit in a 260-byte field with its terminating zero.
constexpr std::size_t kMaxPathBytes = 259;

constexpr const char* kMissingText = "設定ファイルが見つかりません。\n初期値で起動します。";
constexpr const char* kSaveFailedText = "設定を保存できません";
constexpr const char* kSaveFailedCaption = "SAVE ERROR";

// An empty path (one that did not fit) reads as a missing file, without touching the disk.
std::optional<std::vector<std::uint8_t>> readSettingsFile(FileSystem& files,
                                                          const std::string& path) {
  if (path.empty()) return std::nullopt;
  return files.readFile(path, settings_file::kFileSize);
}

}  // namespace

SettingsStore::SettingsStore(FileSystem& files, Interaction& interaction)
    : files_(files), interaction_(interaction) {}

void SettingsStore::computePath() {
  const std::string exe = files_.executablePath();
  // Without a separator the folder part is empty and the name stands alone.
  const std::size_t separator = text::findLastCharOf(exe, "\\/");
  std::string path = separator == std::string::npos ? std::string() : exe.substr(0, separator + 1);
  path += kFileName;
  path_ = path.size() <= kMaxPathBytes ? std::move(path) : std::string();
}

SettingsStore::LoadResult SettingsStore::loadSettings(int currentList) {
  const auto file = readSettingsFile(files_, path_);
  if (!file) {
    interaction_.messageBox(kMissingText, kAppTitle, kMbOk);
    applyDefaults();
    return LoadResult::Defaults;
  }
  settings_file::readSettings(*file, currentList, settings_);
  return LoadResult::FromFile;
}

void SettingsStore::applyDefaults() {
  settings_.saveMode = kSaveNumbered;
  settings_.dropWindowSize = kSizeSmall;
  settings_.lastListIndex = 0;
  settings_.switchFlags = 0;
  settings_.slots[0].name.assign("C:直下");
  settings_.slots[0].path.assign("C:\\");
}

void SettingsStore::loadFolderLists() {
  const auto file = readSettingsFile(files_, path_);
  if (!file) {
    lists_.settingsFileMissing = true;
    return;
  }
  settings_file::readFolderLists(*file, lists_);
}

bool SettingsStore::saveSettings() {
  if (!writeFile()) {
    reportSaveFailure();
    return false;
  }
  afterSave();
  return true;
}

bool SettingsStore::saveChange(
    const std::function<void(Settings&, ConfirmedFolderLists&)>& change) {
  const Settings settingsBefore = settings_;
  const ConfirmedFolderLists listsBefore = lists_;
  change(settings_, lists_);
  if (!writeFile()) {
    // Put back before the box: ticks run inside it, and must see only what the file holds.
    settings_ = settingsBefore;
    lists_ = listsBefore;
    reportSaveFailure();
    return false;
  }
  afterSave();
  return true;
}

bool SettingsStore::writeFile() {
  const settings_file::Image image = settings_file::buildImage(settings_, lists_);
  return !path_.empty() && files_.replaceFile(path_, std::vector(image.begin(), image.end()));
}

void SettingsStore::reportSaveFailure() {
  interaction_.messageBox(kSaveFailedText, kSaveFailedCaption, kMbOk | kMbIconError);
}

void SettingsStore::afterSave() {
  lists_.settingsFileMissing = false;
  if (onSaved) onSaved();
}

void SettingsStore::setSaveMode(std::int16_t mode) {
  if (mode == settings_.saveMode) return;
  saveChange([mode](Settings& settings, ConfirmedFolderLists&) { settings.saveMode = mode; });
}

void SettingsStore::setDropWindowSize(std::int16_t size) {
  if (size == settings_.dropWindowSize) return;
  saveChange([size](Settings& settings, ConfirmedFolderLists&) { settings.dropWindowSize = size; });
}

}  // namespace qm
