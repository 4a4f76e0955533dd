// The program over the fake platform with folders on disk to drop files into: "one" and "two"
// exist, "gone" was registered and then deleted.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FormTestSupport.h"
#include "shell/Application.h"

namespace qm::test {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;

// The list of one drop as the platform hands it over; it notes how it was released.
class FakeDroppedFiles : public DroppedFiles {
 public:
  FakeDroppedFiles(std::vector<EncodedText> paths, const unsigned& busy)
      : paths_(std::move(paths)), busy_(busy) {}
  EncodedText firstPath() override { return paths_.empty() ? EncodedText() : paths_.front(); }
  std::uint32_t readError() const override { return error; }
  void finish() override {
    ++finished;
    busyWhenFinished = busy_ > 0;
  }

  int finished = 0;
  bool busyWhenFinished = false;
  std::uint32_t error = 0;  // why an empty first path could not be read

 private:
  std::vector<EncodedText> paths_;
  const unsigned& busy_;
};

class DropTest : public ::testing::Test {
 public:
  static constexpr std::int32_t kWindowTop = 200;
  static constexpr std::int32_t kPanelHeight = 17;
  static constexpr std::size_t kRowOne = 0;
  static constexpr std::size_t kRowTwo = 1;
  static constexpr std::size_t kRowGone = 2;
  static constexpr std::size_t kRowModeLabel = 3;

  DropTest() {
    for (const char* name : {"one", "two", "src"}) fs::create_directory(fake.folder.path() / name);
  }

  std::string folder(const std::string& name) const { return (fake.folder.path() / name).string(); }

  void start(std::int16_t saveMode, const std::string& soundPath = "",
             SaveFormat format = kSaveAsIs) {
    Settings settings = header(saveMode, kSizeSmall, 0);
    settings.soundPath.assign(soundPath);
    settings.saveFormat = format;
    ConfirmedFolderLists lists;
    const std::string one = folder("one"), two = folder("two"), gone = folder("gone");
    lists.lists[0] = folders({{"one", one.c_str()}, {"two", two.c_str()}, {"gone", gone.c_str()}});
    fake.folder.writeSettings(settings, lists);
    app.emplace(fake.platform);
    // Where the drag watcher would have put it.
    app->Form1().window().setTop(kWindowTop);
  }

  // A file to drop, in the folder "src"; its path as Windows writes it, ending in "\\" + name.
  std::string source(const std::string& name, const std::string& content = "dropped") const {
    write(fake.folder.path() / "src" / name, content);
    return folder("src") + "\\" + name;
  }

  static void write(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  static Files contents(const fs::path& dir) {
    Files files;
    if (!fs::is_directory(dir)) return files;
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().filename().string()] =
          entry.is_directory() ? "<folder>" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
  }

  Point pointerOnRow(std::size_t row) const {
    return {40, kWindowTop + static_cast<std::int32_t>(row) * kPanelHeight + kPanelHeight / 2};
  }

  // Lets go of `paths` with the pointer on `row`, as WM_DROPFILES does.
  FakeDroppedFiles drop(std::size_t row, std::vector<EncodedText> paths) {
    fake.input.cursor = pointerOnRow(row);
    FakeDroppedFiles files(std::move(paths), app->Form1().dropsBusy);
    app->Form1().window().onDropFiles(files);
    return files;
  }

  bool noticeShown() { return app->Form4().window().visible(); }

  FakePlatform<> fake;
  std::optional<Application> app;
};

}  // namespace qm::test
