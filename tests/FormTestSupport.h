// What the window tests share: a program folder in a temporary directory, with or without a
// settings file, and the fake platform around it.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeImageConverter.h"
#include "platform/fake/FakeInput.h"
#include "platform/fake/FakeInteraction.h"
#include "platform/fake/FakeToolkit.h"
#include "platform/fake/FakeUserRegistry.h"
#include "platform/fake/FakeWorker.h"
#include "settings/SettingsFile.h"

namespace qm::test {

// The folder the executable runs from, removed with everything in it afterwards.
class ProgramFolder {
 public:
  ProgramFolder() {
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() / ("qm-forms-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~ProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string exePath() const { return (path_ / "Quillmarten.exe").string(); }
  std::filesystem::path settingsPath() const { return path_ / "Quillmarten.dat"; }

  void writeSettings(const Settings& header, const ConfirmedFolderLists& lists) const {
    const settings_file::Image image = settings_file::buildImage(header, lists);
    std::ofstream out(settingsPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
  }
  void removeSettings() const { std::filesystem::remove(settingsPath()); }

 private:
  std::filesystem::path path_;
};

template <typename ToolkitType = FakeToolkit>
struct FakePlatform {
  ProgramFolder folder;
  ToolkitType toolkit;
  FakeInput input;
  DiskFileSystem files{folder.exePath()};
  FakeInteraction interaction;
  FakeUserRegistry registry;
  FakeImageConverter images{files, folder.path()};
  FakeWorker worker;
  Platform platform{toolkit, input, files, interaction, registry, images, worker};
};

inline Settings header(std::int16_t saveMode, std::int16_t dropWindowSize, std::int8_t lastList) {
  Settings s;
  s.saveMode = saveMode;
  s.dropWindowSize = dropWindowSize;
  s.lastListIndex = lastList;
  return s;
}

// Slots from the first, as (display name, destination path).
inline FolderList folders(std::initializer_list<std::pair<const char*, const char*>> slots) {
  FolderList list{};
  std::size_t i = 0;
  for (const auto& [name, path] : slots) {
    list.at(i).name.assign(name);
    list.at(i).path.assign(path);
    ++i;
  }
  return list;
}

}  // namespace qm::test
