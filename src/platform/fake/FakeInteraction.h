// Records what the program asks of the user and answers from a script. duringModal runs inside
// every modal call, as timer ticks do inside a real nested message loop.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Interaction.h"

namespace qm {

struct RecordedMessageBox {
  std::string text;
  std::string caption;
  unsigned style = 0;
  friend bool operator==(const RecordedMessageBox&, const RecordedMessageBox&) = default;
};

class FakeInteraction : public Interaction {
 public:
  int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  SaveDialogResult saveDialog(const SaveDialogRequest& request) override;
  std::optional<EncodedText> openFileDialog(const OpenDialogRequest& request) override;
  std::optional<EncodedText> chooseFolder(const EncodedText& startDir) override;
  void playSound(const EncodedText& path, std::uint32_t flags) override {
    sounds.push_back(path.bytes);
    soundFlags.push_back(flags);
  }
  void showInFolder(const std::string& path, TextEncoding) override {
    shownInFolder.push_back(path);
  }
  void shellExecute(const std::string& file, const std::string& parameters) override {
    executed.push_back(file + " " + parameters);
  }

  // Answers, taken in order; when a queue is empty the user presses OK / cancels.
  std::deque<int> messageBoxAnswers;
  std::deque<SaveDialogResult> saveDialogAnswers;
  std::deque<std::optional<EncodedText>> openDialogAnswers;
  std::deque<std::optional<EncodedText>> folderAnswers;
  std::function<void()> duringModal;

  std::vector<RecordedMessageBox> messageBoxes;
  std::vector<SaveDialogRequest> saveDialogs;
  std::vector<OpenDialogRequest> openDialogs;
  std::vector<std::string> folderDialogs;  // the bytes of each start folder
  std::vector<std::string> sounds;         // the bytes of each path
  std::vector<std::uint32_t> soundFlags;   // one entry per sound
  std::vector<std::string> executed;
  std::vector<std::string> shownInFolder;

 private:
  void runModal();
};

}  // namespace qm
