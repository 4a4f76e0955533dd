// Loads and saves the settings file that lives beside the executable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/NamesFile.h"
#include "settings/Settings.h"

namespace qm {

class FileSystem;
class Interaction;

class SettingsStore {
 public:
  SettingsStore(FileSystem& files, Interaction& interaction);

  // The executable's folder + "Quillmarten.dat", with the names file beside it. A path that
  // would not fit in 260 bytes is left empty: loading then falls back to the defaults and saving
  // reports that it cannot save.
  void computePath();
  const std::string& path() const { return path_.bytes; }

  enum class LoadResult { FromFile, Defaults };
  // Fills the settings from the file for `currentList`; without a readable file, tells the user
  // and applies the default settings.
  LoadResult loadSettings(int currentList);
  // Fills the confirmed folder lists, or notes that the file is missing.
  void loadFolderLists();
  // Writes the whole file, then runs onSaved (the drop window's refresh). A failure is reported
  // to the user, leaves the old file as it was and skips onSaved; it returns false.
  bool saveSettings();
  // Makes `change` to the settings and the folder lists and saves them. When the save fails,
  // both go back to what they were, so that memory never holds what the file does not and a
  // later save writes only what the user was told was kept.
  bool saveChange(const std::function<void(Settings&, ConfirmedFolderLists&)>& change);
  // Store and save when the value differs from the stored one; otherwise nothing. A save that
  // fails keeps the old value, as saveChange does.
  void setSaveMode(std::int16_t mode);
  void setDropWindowSize(std::int16_t size);

  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  ConfirmedFolderLists& folderLists() { return lists_; }
  const ConfirmedFolderLists& folderLists() const { return lists_; }

  std::function<void()> onSaved;

 private:
  void applyDefaults();
  bool writeFile();
  bool writeNames(const std::string& names);
  // The spellings of the names file, which is remembered as it was found.
  std::vector<names_file::Entry> readNames();
  void reportSaveFailure();
  void afterSave();

  FileSystem& files_;
  Interaction& interaction_;
  EncodedText path_;
  EncodedText namesPath_;
  std::string writtenNames_;  // what the names file holds, empty for no file
  Settings settings_;
  ConfirmedFolderLists lists_;
};

}  // namespace qm
