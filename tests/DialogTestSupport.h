// What the dialog tests share: the whole program over the fake platform, started from a prepared
// settings file (or none), and the user's gestures on the controls.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "SettingsTestImage.h"
#include "shell/Application.h"

namespace qm {

// Failures show the box as text rather than as bytes of memory.
inline void PrintTo(const RecordedMessageBox& box, std::ostream* out) {
  *out << "{\"" << box.text << "\", \"" << box.caption << "\", 0x" << std::hex << box.style << "}";
}

}  // namespace qm

namespace qm::test {

// Texts the user types and boxes the user ticks arrive as the platform reports them.
inline void type(Control& edit, const EncodedText& text) {
  edit.takeUserCaption(text);
}
inline void select(Control& list, int index) {
  list.takeUserItemIndex(index);
}
inline void click(Control& control) {
  if (control.kind() == ControlKind::CheckBox) {
    control.takeUserChecked(!control.checked());
  } else if (control.onClick) {
    control.onClick();
  }
}

class DialogTest : public ::testing::Test {
 protected:
  Application& start(const Settings& h, const ConfirmedFolderLists& lists) {
    fake_.folder.writeSettings(h, lists);
    return startWithoutFile();
  }
  Application& startWithoutFile() {
    app_.emplace(fake_.platform);
    fake_.interaction.messageBoxes.clear();
    return *app_;
  }
  Bytes fileBytes() const {
    std::ifstream in(fake_.folder.settingsPath(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<RecordedMessageBox>& boxes() { return fake_.interaction.messageBoxes; }
  void answer(const std::vector<int>& answers) {
    fake_.interaction.messageBoxAnswers.assign(answers.begin(), answers.end());
  }

  FakePlatform<> fake_;
  std::optional<Application> app_;
};

}  // namespace qm::test
