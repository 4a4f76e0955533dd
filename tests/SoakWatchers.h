// The soak's platform: real files that note every write the program makes and check it as it
// happens, and a user who answers boxes and the save dialog at random while ticks go on.
#pragma once

#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dropwindow/Qmt.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeInteraction.h"
#include "text/Cp932.h"

namespace qm::test {

namespace fs = std::filesystem;

inline fs::path onHost(const std::string& windowsPath) {
  return fs::path(text::replaceChar(windowsPath, '\\', '/')).lexically_normal();
}

class SoakFiles : public DiskFileSystem {
 public:
  SoakFiles(std::string exePath, std::function<void(const std::string&)> violation)
      : DiskFileSystem(std::move(exePath)), violation_(std::move(violation)) {}

  // Set once the program exists; before that there is no refresh to watch.
  TForm1* form = nullptr;
  std::set<fs::path> registered;  // every folder a settings file has named so far
  fs::path settingsFile;
  std::optional<fs::path> dialogAnswer;  // what the user chose in the last save dialog
  int savedCopies = 0;
  int settingsSaves = 0;

  std::optional<std::vector<std::uint8_t>> readFile(const EncodedText& path,
                                                    std::size_t maxBytes) override {
    if (form && form->pendingListSelection() != TForm1::kNoPendingList) {
      violation_("a refresh loaded the settings with a list selection pending");
    }
    return DiskFileSystem::readFile(path, maxBytes);
  }

  bool replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) override {
    if (onHost(path.bytes) != settingsFile) violation_("a settings save went to " + path.bytes);
    const bool done = DiskFileSystem::replaceFile(path, bytes);
    settingsSaves += done;
    return done;
  }

  CopyOutcome copyFile(const EncodedText& from, const EncodedText& toPath,
                       bool failIfExists) override {
    const std::string& to = toPath.bytes;
    const fs::path target = onHost(to);
    const bool chosen = dialogAnswer && target == *dialogAnswer;
    // The folder part as written: a name that the clean-up leaves as ".." aims at the folder's
    // parent, a folder, which no copy can replace; the scan of the tree sees any file written.
    const fs::path folder = fs::path(text::replaceChar(to, '\\', '/')).parent_path();
    if (!registered.count(folder.lexically_normal()) && !chosen) {
      violation_("a copy went outside the registered folders: " + to);
    }
    std::error_code ignored;
    const bool replaces = !failIfExists && fs::exists(target, ignored);
    if (replaces && form && form->settings().saveMode != kSaveOverwrite && !chosen) {
      violation_("a copy replaced " + to + " in save mode " +
                 std::to_string(form->settings().saveMode));
    }
    const CopyOutcome outcome = DiskFileSystem::copyFile(from, toPath, failIfExists);
    savedCopies += outcome.error == 0;
    return outcome;
  }

 private:
  std::function<void(const std::string&)> violation_;
};

class SoakInteraction : public FakeInteraction {
 public:
  SoakInteraction(std::mt19937_64& random, SoakFiles& files) : random_(random), files_(files) {}

  int messageBox(const std::string& text, const std::string& caption, unsigned style) override {
    FakeInteraction::messageBox(text, caption, style);
    return chance(10) ? 0 : 1;  // now and then the box itself fails
  }

  // Cancels, fails, picks a new name or the proposed one (which may replace a file: the dialog
  // asked first), in the folder it was opened on.
  SaveDialogResult saveDialog(const SaveDialogRequest& request) override {
    FakeInteraction::saveDialog(request);
    files_.dialogAnswer.reset();
    const unsigned pick = random_() % 10;
    if (pick < 3) return {};
    if (pick < 4) return {std::nullopt, 0x3002};
    const std::string name =
        pick < 7 ? request.fileName : "chosen" + std::to_string(random_() % 20) + ".jpg";
    const std::string path = request.initialDir + "\\" + name;
    files_.dialogAnswer = onHost(path);
    return {path, 0};
  }

 private:
  bool chance(unsigned percent) { return random_() % 100 < percent; }

  std::mt19937_64& random_;
  SoakFiles& files_;
};

}  // namespace qm::test
