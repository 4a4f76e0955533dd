#include "dropwindow/Placement.h"

#include <algorithm>
#include <limits>

#include "dropwindow/AppearanceSwitches.h"

namespace qm {
namespace {

// The pointer may be reported far outside every display; worked out in 64 bits, no sum
// overflows, and a corner no window can have is brought back into range.
using Coordinate = std::int64_t;

std::int32_t inRange(Coordinate value) {
  constexpr Coordinate kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr Coordinate kHighest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest));
}

}  // namespace

Point placeDropWindow(const PlacementInput& in) {
  const Coordinate x = in.pointer.x;
  const Coordinate y = in.pointer.y;
  const Coordinate monitorLeft = in.monitor.left;
  const Coordinate monitorTop = in.monitor.top;
  // The window's middle under the pointer, as far as the monitor's left side allows.
  const Coordinate centredX =
      x - in.halfPanelWidth > monitorLeft ? x - in.halfPanelWidth : monitorLeft;
  const Coordinate bottomTop = monitorTop + in.monitor.height - in.height;
  const Coordinate rightLeft = monitorLeft + in.monitor.width - in.width;

  Coordinate left = monitorLeft;
  Coordinate top = monitorTop;
  switch (in.trigger) {
    case trigger::kTop:
      left = centredX;
      break;
    case trigger::kLeft:
    case trigger::kTop | trigger::kLeft:
      top = y;
      break;
    case trigger::kBottom:
      left = centredX;
      top = bottomTop;
      break;
    case trigger::kBottom | trigger::kLeft:
      top = bottomTop;
      break;
    case trigger::kRight:
    case trigger::kTop | trigger::kRight:
      left = rightLeft;
      top = y;
      break;
    case trigger::kBottom | trigger::kRight:
      left = rightLeft;
      top = bottomTop;
      break;
    default:
      break;
  }
  if (left < monitorLeft) left = monitorLeft;
  if (top > bottomTop) top = bottomTop;

  if (in.trigger == trigger::kAtPointer) {
    left = std::min(centredX, rightLeft);
    top = std::min(y, bottomTop);
  }
  return {inRange(left), inRange(top)};
}

}  // namespace qm
