// The drag watcher: the drop window's 50 ms tick. For it a drag is nothing more than the left
// button held; while one goes on over a browser it brings the drop window up when a switch fires,
// paints the panel under the pointer, follows the list keys, the tab strip and Shift, and hides
// the window after the release once no drop is being handled. It also steps the saved notice.
#pragma once

#include <cstdint>

#include "dropwindow/AppearanceSwitches.h"
#include "platform/Geometry.h"
#include "platform/MonitorView.h"

namespace qm {

class Input;
class TForm1;
class TForm4;

class DragWatcher {
 public:
  enum class State : std::uint8_t { Idle = 0, Shown = 1, Hiding = 2 };

  static constexpr std::uint8_t kHoverDwellTicks = 6;
  // Button-up ticks without a move after which an OLE drag over the window counts as gone. Two
  // seconds: a busy dragging program may take more than half of one to notice the release and
  // drop, and the window must still be there when it does.
  static constexpr std::uint8_t kGoneDragTicks = 40;

  // Takes over Timer1's ticks; the timer runs from the drop window's creation and is never
  // stopped.
  DragWatcher(Input& input, TForm1& form, TForm4& notice);
  DragWatcher(const DragWatcher&) = delete;
  DragWatcher& operator=(const DragWatcher&) = delete;

  void Timer1Timer();
  // Resting on the tab strip picks the list under the pointer after a short dwell.
  void TrackTabHover();

  State state() const { return state_; }
  const GestureHistory& gestureHistory() const { return history_; }

 private:
  void noteQuietDrag(bool held);
  std::uint8_t pollSwitches(Point pointer, const MonitorView& monitor, bool held);
  void showDecision(std::uint8_t code, const Bounds& monitor);
  void placeWindow(std::uint8_t code, const Bounds& monitor);
  void applyListKeys();
  void applyShift();
  void paintPanels();

  Input& input_;
  TForm1& form_;
  TForm4& notice_;

  State state_ = State::Idle;
  Point pointer_;
  Point lastSample_ = kNoSample;
  GestureHistory history_{};
  bool tabLatch_ = false;
  std::uint8_t tabDwell_ = 0;
};

}  // namespace qm
