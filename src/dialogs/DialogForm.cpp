#include "dialogs/DialogForm.h"

#include <utility>

namespace qm {
namespace {

constexpr const char* kDialogFontFace = "Tahoma";
constexpr int kDialogFontPoints = 8;

}  // namespace

DialogForm::DialogForm(Toolkit& toolkit, std::string name, const std::string& caption,
                       int clientWidth, int clientHeight)
    : window_(toolkit, WindowStyle::Dialog, std::move(name)) {
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

}  // namespace qm
