#include "dropwindow/AppearanceSwitches.h"

#include <algorithm>

#include "settings/Settings.h"

namespace qm {
namespace {

constexpr int kCellShift = 3;  // 8-pixel cells

// An arithmetic shift (C++20 defines it for negative values) rounds towards minus infinity, so
// the cells left of and above the primary display are whole cells too.
constexpr std::int32_t cellOf(std::int32_t coordinate) {
  return coordinate >> kCellShift;
}
static_assert(cellOf(-1) == -1 && cellOf(-8) == -1 && cellOf(-9) == -2 && cellOf(7) == 0);

bool isOn(std::uint8_t switchFlags, std::uint8_t offBit) {
  return (switchFlags & offBit) == 0;
}

}  // namespace

std::uint8_t edgeTrigger(Point pointer, const MonitorView& monitor, std::uint8_t switchFlags) {
  using namespace switch_flags;
  const Bounds& m = monitor.rect;
  std::uint8_t code = trigger::kNone;
  if (atBottomSide(pointer, m) && monitor.openBottom && isOn(switchFlags, kBottomEdgeOff)) {
    code |= trigger::kBottom;
  }
  if (atTopSide(pointer, m) && monitor.openTop && isOn(switchFlags, kTopEdgeOff)) {
    code |= trigger::kTop;
  }
  if (atLeftSide(pointer, m) && monitor.openLeft && isOn(switchFlags, kLeftEdgeOff)) {
    code |= trigger::kLeft;
  }
  if (atRightSide(pointer, m) && monitor.openRight && isOn(switchFlags, kRightEdgeOff)) {
    code |= trigger::kRight;
  }
  return code;
}

void recordDirection(GestureHistory& history, Point previous, Point current) {
  if (previous.x == kNoSample.x) return;
  const std::int32_t fromColumn = cellOf(previous.x);
  const std::int32_t fromRow = cellOf(previous.y);
  const std::int32_t toColumn = cellOf(current.x);
  const std::int32_t toRow = cellOf(current.y);

  std::uint8_t stroke = direction::kNone;
  if (fromColumn == toColumn && toRow < fromRow) {
    stroke = direction::kUp;
  } else if (fromColumn == toColumn && toRow > fromRow) {
    stroke = direction::kDown;
  } else if (toColumn < fromColumn && fromRow == toRow) {
    stroke = direction::kLeft;
  } else if (toColumn > fromColumn && fromRow == toRow) {
    stroke = direction::kRight;
  }
  if (stroke == direction::kNone || stroke == history.back()) return;
  std::rotate(history.begin(), history.begin() + 1, history.end());
  history.back() = stroke;
}

std::uint8_t keyAndGestureTrigger(std::uint8_t edges, SwitchKeys keys,
                                  const GestureHistory& history, std::uint8_t switchFlags) {
  using namespace switch_flags;
  const bool fires = (keys.ctrl && isOn(switchFlags, kCtrlOff)) ||
                     (keys.f12 && isOn(switchFlags, kF12Off)) ||
                     (history == kLGesture && (switchFlags & kLGestureOn) != 0) ||
                     (history == kSquareGesture && (switchFlags & kSquareGestureOn) != 0);
  return fires ? trigger::kAtPointer : edges;
}

void resetHistory(GestureHistory& history) {
  history.back() = direction::kNone;
}

}  // namespace qm
