// The monitor under a point, and whether the desktop goes on beyond each of its sides there.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace qm {

struct MonitorView {
  // The monitor the point is on, or the nearest one when it is on none.
  Bounds rect;
  // No monitor lies just beyond that side in the point's column (top, bottom) or row (left,
  // right): a pointer pushed there stops. Only the sides the point is at are ever read.
  bool openTop = true;
  bool openLeft = true;
  bool openBottom = true;
  bool openRight = true;
};

// At or beyond a side of a monitor's rectangle: the last row or column of pixels, or past it.
// Worked out in 64 bits, as a rectangle's far side can lie past what 32 bits hold.
inline bool atTopSide(Point p, const Bounds& m) {
  return p.y <= m.top;
}
inline bool atLeftSide(Point p, const Bounds& m) {
  return p.x <= m.left;
}
inline bool atBottomSide(Point p, const Bounds& m) {
  return std::int64_t{p.y} >= std::int64_t{m.top} + m.height - 1;
}
inline bool atRightSide(Point p, const Bounds& m) {
  return std::int64_t{p.x} >= std::int64_t{m.left} + m.width - 1;
}

}  // namespace qm
