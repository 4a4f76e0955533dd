#include "dropwindow/DragWatcher.h"

#include <optional>
#include <string>

#include "dropwindow/BrowserPrograms.h"
#include "dropwindow/BrowserTitles.h"
#include "dropwindow/DropWindowLook.h"
#include "dropwindow/Msg.h"
#include "dropwindow/Placement.h"
#include "dropwindow/Qmt.h"
#include "dropwindow/TabHoverZone.h"
#include "platform/Input.h"
#include "platform/Keys.h"

namespace qm {
namespace {

// The pointer's distance from a window edge, in 64 bits: a pointer far outside every display
// and a window placed far along an edge are further apart than 32 bits can say.
std::int64_t offset(std::int32_t pointer, std::int32_t edge) {
  return std::int64_t{pointer} - edge;
}

}  // namespace

DragWatcher::DragWatcher(Input& input, TForm1& form, TForm4& notice)
    : input_(input), form_(form), notice_(notice) {
  pointer_ = input_.cursorPos().value_or(Point{});
  form_.Timer1().onTimer = [this] { Timer1Timer(); };
}

void DragWatcher::Timer1Timer() {
  const bool held = input_.isHeld(vk::kLeftButton);
  notice_.NoticeTick(form_.settings());

  if (!held && state_ == State::Idle) {
    resetHistory(history_);
    return;
  }
  const std::optional<Point> pointer = input_.cursorPos();
  if (!pointer) return;
  pointer_ = *pointer;
  const MonitorView monitor = input_.monitorAt(pointer_);
  const std::uint8_t code = pollSwitches(pointer_, monitor, held);
  if (form_.dragOver) noteQuietDrag(held);

  switch (state_) {
    case State::Idle:
      if (code != trigger::kNone && held) showDecision(code, monitor.rect);
      break;
    case State::Shown:
      if (!held) {
        state_ = State::Hiding;
        break;
      }
      applyListKeys();
      applyShift();
      paintPanels();
      break;
    case State::Hiding:
      // A drop still being handled, perhaps inside its save dialog, keeps the window up, and so
      // does an OLE drag over it, whose drop can come a tick after the button is up.
      if (form_.dropsBusy > 0 || form_.dragOver) return;
      form_.window().setVisible(false);
      state_ = State::Idle;
      break;
  }
  TrackTabHover();
}

void DragWatcher::noteQuietDrag(bool held) {
  // A dragging program that died, or whose drag loop ended without a word, never says the drag
  // left: once the button has been up for long with no move over the window, it has gone.
  if (held) {
    form_.dragQuietTicks = 0;
    return;
  }
  if (++form_.dragQuietTicks < kGoneDragTicks) return;
  form_.dragOver = false;
  form_.dragQuietTicks = 0;
}

std::uint8_t DragWatcher::pollSwitches(Point pointer, const MonitorView& monitor, bool held) {
  const std::uint8_t flags = form_.settings().switchFlags;
  const std::uint8_t edges = edgeTrigger(pointer, monitor, flags);
  const Point previous = lastSample_;
  lastSample_ = pointer;
  if (!held) return edges;

  recordDirection(history_, previous, pointer);
  SwitchKeys keys;
  keys.ctrl = input_.isHeld(vk::kLeftControl) || input_.isHeld(vk::kRightControl);
  keys.f12 = input_.isHeld(vk::kF12);
  return keyAndGestureTrigger(edges, keys, history_, flags);
}

void DragWatcher::showDecision(std::uint8_t code, const Bounds& monitor) {
  const std::optional<std::string> title = input_.foregroundTitle(kTitleLimit);
  if (!title) return;
  // A long page title pushes the browser's name past what the title test reads, and some
  // browsers never put it there at all; their program still tells.
  if (!namesBrowser(*title) && !isBrowserProgram(input_.foregroundImagePath().value_or(L""))) {
    return;
  }
  placeWindow(code, monitor);
  form_.Label1().setCaption(look::modeText(form_.settings().saveMode));
  form_.window().setVisible(true);
  form_.window().bringToFrontTopmost();
  state_ = State::Shown;
}

void DragWatcher::placeWindow(std::uint8_t code, const Bounds& monitor) {
  Window& window = form_.window();
  PlacementInput in;
  in.trigger = code;
  in.pointer = pointer_;
  in.monitor = monitor;
  in.width = window.bounds().width;
  in.height = window.bounds().height;
  in.halfPanelWidth = form_.folderPanels()[0].bounds().width / 2;
  const Point at = placeDropWindow(in);
  window.setBounds({at.x, at.y, in.width, in.height});
  // Put on a screen of another density, the window has laid itself out again at another size;
  // it is placed once more, by the same rule, for that size.
  const Bounds& laidOut = window.bounds();
  if (laidOut.width == in.width && laidOut.height == in.height) return;
  in.width = laidOut.width;
  in.height = laidOut.height;
  in.halfPanelWidth = form_.folderPanels()[0].bounds().width / 2;
  const Point again = placeDropWindow(in);
  window.setBounds({again.x, again.y, in.width, in.height});
}

void DragWatcher::applyListKeys() {
  if (input_.isReported(vk::kTab)) {
    if (!tabLatch_) {
      form_.SelectNextFolderList();
      tabLatch_ = true;
    }
    return;
  }
  tabLatch_ = false;
  const int lastList = form_.settings().lastListIndex;
  for (int list = 0; list < kFolderListCount; ++list) {
    const bool asked = input_.isReported(vk::kDigit1 + list) ||
                       input_.isReported(vk::kNumpad1 + list) ||
                       form_.pendingListSelection() == list;
    // List 0 always exists; a key for a list not in use falls through to the next row.
    if (asked && (list == 0 || lastList >= list)) {
      form_.SelectFolderList(static_cast<std::int8_t>(list));
      form_.setPendingListSelection(TForm1::kNoPendingList);
      return;
    }
  }
}

void DragWatcher::applyShift() {
  form_.shiftOverride = input_.isReported(vk::kShift);
  const std::int16_t mode =
      form_.shiftOverride ? std::int16_t{kSaveAskName} : form_.settings().saveMode;
  form_.Label1().setCaption(look::modeText(mode));
}

void DragWatcher::paintPanels() {
  const Bounds& window = form_.window().bounds();
  const int panelHeight = form_.folderPanels()[0].bounds().height;
  const std::int64_t dx = offset(pointer_.x, window.left);
  const std::int64_t dy = offset(pointer_.y, window.top);
  // Both bounds inclusive; a row past the twelfth panel marks none.
  std::int64_t underPointer = -1;
  if (dy >= 0 && dy <= window.height && dx >= 0 && dx <= window.width && panelHeight > 0) {
    underPointer = dy / panelHeight;
  }
  const Color listColor = look::listColor(form_.currentFolderList());
  // One assignment per panel, so that a steady tick changes nothing and repaints nothing.
  for (int i = 0; i < kSlotsPerList; ++i) {
    form_.folderPanels()[static_cast<std::size_t>(i)].setColor(i == underPointer ? kWhite
                                                                                 : listColor);
  }
}

void DragWatcher::TrackTabHover() {
  const Bounds& window = form_.window().bounds();
  const Bounds& strip = form_.ButtonPanel().bounds();
  const std::int64_t dx = offset(pointer_.x, window.left) - strip.left;
  const std::int64_t dy = offset(pointer_.y, window.top) - strip.top;
  const std::optional<int> cell = tabHoverCell(dx, dy, strip.height, form_.window().dpi());
  if (!cell) {
    form_.PaintTabs(false);
    tabDwell_ = 0;
    form_.setPendingListSelection(TForm1::kNoPendingList);
    return;
  }
  if (tabDwell_ < kHoverDwellTicks) {
    ++tabDwell_;
    return;
  }
  // The cells are wider than the tabs, so the fifth list lies beyond the last cell.
  if (*cell > form_.settings().lastListIndex) {
    form_.setPendingListSelection(TForm1::kNoPendingList);
    return;
  }
  form_.setPendingListSelection(static_cast<std::uint8_t>(*cell));
  form_.PaintTabs(true);
}

}  // namespace qm
