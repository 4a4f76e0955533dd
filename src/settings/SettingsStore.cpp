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
                                                          const EncodedText& path) {
  if (path.bytes.empty()) return std::nullopt;
  return files.readFile(path, settings_file::kFileSize);
}

}  // namespace

SettingsStore::SettingsStore(FileSystem& files, Interaction& interaction)
    : files_(files), interaction_(interaction) {}

void SettingsStore::computePath() {
  const EncodedText exe = files_.executablePath();
  // Without a separator the folder part is empty and the name stands alone.
  const std::size_t separator = text::findLastCharOf(exe.bytes, "\\/", exe.encoding);
  const std::string folder =
      separator == std::string::npos ? std::string() : exe.bytes.substr(0, separator + 1);
  EncodedText path{folder + kFileName, exe.encoding};
  // Counted on the code page 932 form, as the settings file's own path field would hold it.
  const std::size_t bytes = path.encoding == TextEncoding::Cp932
                                ? path.bytes.size()
                                : files_.cp932Likeness(path.bytes).size();
  const bool fits = bytes <= kMaxPathBytes;
  path_ = fits ? std::move(path) : EncodedText();
  namesPath_ = fits ? EncodedText{folder + names_file::kFileName, exe.encoding} : EncodedText();
}

SettingsStore::LoadResult SettingsStore::loadSettings(int currentList) {
  const auto file = readSettingsFile(files_, path_);
  if (!file) {
    interaction_.messageBox(kMissingText, kAppTitle, kMbOk);
    applyDefaults();
    return LoadResult::Defaults;
  }
  settings_file::readSettings(*file, currentList, settings_);
  names_file::apply(readNames(), currentList, settings_);
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
  names_file::apply(readNames(), lists_);
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
  if (path_.bytes.empty()) return false;
  // The names first: a failure there leaves both files as they were. When the settings file
  // then cannot be written, the names go back to what they were, so that the two still agree.
  const std::string names = names_file::format(lists_, settings_);
  if (!writeNames(names)) return false;
  const settings_file::Image image = settings_file::buildImage(settings_, lists_);
  if (files_.replaceFile(path_, std::vector(image.begin(), image.end()))) {
    writtenNames_ = names;
    return true;
  }
  writeNames(writtenNames_);
  return false;
}

std::vector<names_file::Entry> SettingsStore::readNames() {
  const auto file = namesPath_.bytes.empty()
                        ? std::nullopt
                        : files_.readFile(namesPath_, names_file::kMaxFileBytes);
  writtenNames_ = file ? std::string(file->begin(), file->end()) : std::string();
  // A missing, damaged or foreign file holds no spellings; nobody is told.
  return names_file::parse(writtenNames_).value_or(std::vector<names_file::Entry>());
}

bool SettingsStore::writeNames(const std::string& names) {
  // Written only while a name needs it: a user whose folders all fit code page 932 keeps one
  // settings file, as before.
  if (names.empty()) return files_.removeFile(namesPath_);
  return files_.replaceFile(namesPath_, std::vector<std::uint8_t>(names.begin(), names.end()));
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
