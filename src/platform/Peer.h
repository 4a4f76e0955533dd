// What a control, window, menu item, timer or tray icon tells the platform object that stands for
// it (an HWND and friends under Windows, a recorder in tests). The model object owns the values;
// the peer reads them back from it when told which property changed.
#pragma once

#include <functional>

namespace qm {

enum class Prop {
  Caption,
  Visible,
  Enabled,
  Bounds,
  Color,
  TextColor,
  Font,
  Bevel,
  Hint,
  Checked,
  Items,
  ItemIndex,
  MaxLength,
  TabStop,
};

enum class WindowAction {
  BringToFront,         // SetForegroundWindow
  BringToFrontTopmost,  // SetForegroundWindow, then HWND_TOPMOST without moving or sizing
  AcceptDroppedFiles,   // DragAcceptFiles(TRUE)
  Close,                // the main window: ends the message loop
};

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void apply(Prop changed) = 0;
};

class WindowPeer : public Peer {
 public:
  virtual void perform(WindowAction action) = 0;
  // Queues work for the window's message loop.
  virtual void post(std::function<void()> work) = 0;
};

}  // namespace qm
