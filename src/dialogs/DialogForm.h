// What the configuration dialogs share: a window with a fixed dialog border, centred by the
// platform, in Tahoma 8 pt, that the tray menu opens without waiting for it to close, and the tray
// commands that must wait while it is open.
#pragma once

#include <string>
#include <vector>

#include "platform/Window.h"

namespace qm {

class MenuItem;
class Toolkit;

// Tray menu entries that a dialog makes unavailable while it is open.
using ConflictingCommands = std::vector<MenuItem*>;

class DialogForm {
 public:
  DialogForm(const DialogForm&) = delete;
  DialogForm& operator=(const DialogForm&) = delete;
  virtual ~DialogForm() = default;

  Window& window() { return window_; }
  // Opens the dialog, or only brings it to the front when it is open already.
  void Show();

 protected:
  // Hidden until shown.
  DialogForm(Toolkit& toolkit, std::string name, const std::string& caption, int clientWidth,
             int clientHeight, ConflictingCommands conflicting = {});

  void setConflictingCommandsEnabled(bool enabled);

  Window window_;

 private:
  ConflictingCommands conflicting_;
};

}  // namespace qm
