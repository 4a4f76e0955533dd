// A top-level window of the program. Its bounds are the outer position on the screen and the size
// of the client area (the same thing for the borderless windows).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Dpi.h"
#include "platform/TakenDrop.h"
#include "platform/Widget.h"

namespace qm {

class Toolkit;

enum class WindowStyle {
  DropTarget,  // borderless, topmost, takes dropped files
  Notice,      // borderless, topmost, never activated
  Dialog,      // fixed dialog border with caption and close box, centred on the screen
};

// The files of one drop, valid until finish() releases them.
class DroppedFiles {
 public:
  virtual ~DroppedFiles() = default;
  // In UTF-8 when code page 932 cannot spell it. Empty when the list cannot be read;
  // readError() then says why, 0 when the system did not.
  virtual EncodedText firstPath() = 0;
  virtual std::uint32_t readError() const = 0;
  virtual void finish() = 0;
};

class Window : public Widget {
 public:
  Window(Toolkit& toolkit, WindowStyle style, std::string name);

  WindowStyle style() const { return style_; }

  // Showing a hidden window runs onShow after it has become visible.
  void setVisible(bool v) override;

  void bringToFront() { perform(WindowAction::BringToFront); }
  void bringToFrontTopmost() { perform(WindowAction::BringToFrontTopmost); }
  void acceptDroppedFiles() { perform(WindowAction::AcceptDroppedFiles); }
  void close() { perform(WindowAction::Close); }

  // The pixel density of the screen the window is on. The platform reports it when the window is
  // made and again when the window has moved to a screen of another density; a change runs
  // onDpiChanged, which lays the window out for it.
  int dpi() const { return dpi_; }
  void takeDpi(int dpi);
  std::function<void()> onDpiChanged;

  std::function<void()> onShow;
  // The close box, the system menu's close command or Alt+F4; without a handler the window hides.
  std::function<void()> onCloseCommand;
  std::function<void(DroppedFiles&)> onDropFiles;
  // OLE drags. onDragOver(true): a drag the window can take came over it or moved over it;
  // (false): it left, was cancelled or dropped. onOleDrop runs inside the drop while the dragging
  // program waits, or right after it where that program takes its drop back at once and waits
  // for the outcome instead: it may read what it needs of the moment (the pointer) before it
  // calls `take`, which copies what the drag brought while the dragging program still has it,
  // and it leaves whatever may open a box to runSoon. `take` may be called on any thread; it
  // reads a virtual file of no announced size up to the room it is given.
  std::function<void(bool)> onDragOver;
  std::function<void(const std::function<TakenDrop(std::uint64_t room)>& take)> onOleDrop;

  // Runs `work` from the window's own message loop, after the message being handled.
  void runSoon(std::function<void()> work);

 private:
  void perform(WindowAction action);

  WindowStyle style_;
  WindowPeer* windowPeer_ = nullptr;
  int dpi_ = kDesignDpi;
};

}  // namespace qm
