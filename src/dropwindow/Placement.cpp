#include "dropwindow/Placement.h"

#include "dropwindow/AppearanceSwitches.h"

namespace qm {

Point placeDropWindow(const PlacementInput& in) {
  const std::int32_t x = in.pointer.x;
  const std::int32_t y = in.pointer.y;
  // The window's middle under the pointer, as far as the left edge allows.
  const std::int32_t centredX = x - in.halfPanelWidth > 0 ? x - in.halfPanelWidth : 0;
  const std::int32_t bottomTop = in.screen.height - in.height;
  const std::int32_t rightLeft = in.screen.width - in.width;

  Point at{0, 0};
  switch (in.trigger) {
    case trigger::kTop:
      at = {centredX, 0};
      break;
    case trigger::kLeft:
    case trigger::kTop | trigger::kLeft:
      at = {0, y};
      break;
    case trigger::kBottom:
      at = {centredX, bottomTop};
      break;
    case trigger::kBottom | trigger::kLeft:
      at = {0, bottomTop};
      break;
    case trigger::kRight:
    case trigger::kTop | trigger::kRight:
      at = {rightLeft, y};
      break;
    case trigger::kBottom | trigger::kRight:
      at = {rightLeft, bottomTop};
      break;
    default:
      break;
  }
  if (at.x < 0) at.x = 0;
  if (at.y > bottomTop) at.y = bottomTop;

  if (in.trigger == trigger::kAtPointer) {
    at = {centredX, y};
    if (at.x > rightLeft) at.x = rightLeft;
    if (at.y > bottomTop) at.y = bottomTop;
  }
  return at;
}

}  // namespace qm
