#include "dialogs/DialogForm.h"

#include <utility>

#include "platform/Menu.h"

namespace qm {
namespace {

constexpr const char* kDialogFontFace = "Tahoma";
constexpr int kDialogFontPoints = 8;

}  // namespace

DialogForm::DialogForm(Toolkit& toolkit, std::string name, const std::string& caption,
                       int clientWidth, int clientHeight, ConflictingCommands conflicting)
    : window_(toolkit, WindowStyle::Dialog, std::move(name)), conflicting_(std::move(conflicting)) {
  window_.setCaption(caption);
  window_.setBounds({0, 0, clientWidth, clientHeight});
  window_.setFont({kDialogFontFace, kDialogFontPoints});
}

void DialogForm::Show() {
  if (window_.visible()) {
    window_.bringToFront();
  } else {
    window_.setVisible(true);
  }
}

void DialogForm::setConflictingCommandsEnabled(bool enabled) {
  for (MenuItem* command : conflicting_) command->setEnabled(enabled);
}

}  // namespace qm
