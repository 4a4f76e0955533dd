// What the configuration dialogs share: a window with a fixed dialog border, centred by the
// platform, in Tahoma 8 pt, that the tray menu opens without waiting for it to close, and the tray
// commands that must wait while it is open.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace qm {

class Control;
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
  // Hidden until shown. The client size, like every length of a dialog, is in pixels at 96 DPI.
  DialogForm(Toolkit& toolkit, std::string name, const std::string& caption, int clientWidth,
             int clientHeight, ConflictingCommands conflicting = {});

  void setConflictingCommandsEnabled(bool enabled);
  // Puts a control where the 96-DPI layout has it, at the window's pixel density, now and again
  // whenever the density changes.
  void placeAt(Control& control, const Bounds& design);
  // Parts placed from others' places follow them after a density change.
  virtual void layOutDependentParts() {}

  Window window_;

 private:
  void layOutForDpi();

  Bounds designClient_;
  std::vector<std::pair<Control*, Bounds>> placed_;
  ConflictingCommands conflicting_;
};

}  // namespace qm
