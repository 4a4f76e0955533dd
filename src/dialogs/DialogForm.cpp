#include "dialogs/DialogForm.h"

#include <utility>

#include "platform/Control.h"
#include "platform/Dpi.h"
#include "platform/Menu.h"

namespace qm {
namespace {

constexpr const char* kDialogFontFace = "Tahoma";
constexpr int kDialogFontPoints = 8;

}  // namespace

DialogForm::DialogForm(Toolkit& toolkit, std::string name, const std::string& caption,
                       int clientWidth, int clientHeight, ConflictingCommands conflicting)
    : window_(toolkit, WindowStyle::Dialog, std::move(name)),
      designClient_{0, 0, clientWidth, clientHeight},
      conflicting_(std::move(conflicting)) {
  window_.setCaption(caption);
  window_.setBounds(scale(designClient_, window_.dpi()));
  window_.setFont({kDialogFontFace, kDialogFontPoints});
  window_.onDpiChanged = [this] { layOutForDpi(); };
}

void DialogForm::placeAt(Control& control, const Bounds& design) {
  placed_.emplace_back(&control, design);
  control.setBounds(scale(design, window_.dpi()));
}

void DialogForm::layOutForDpi() {
  const int dpi = window_.dpi();
  window_.setBounds(scale(designClient_, dpi));
  for (const auto& [control, design] : placed_) control->setBounds(scale(design, dpi));
  layOutDependentParts();
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
