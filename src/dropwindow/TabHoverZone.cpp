#include "dropwindow/TabHoverZone.h"

#include "platform/Dpi.h"

namespace qm {

std::optional<int> tabHoverCell(std::int64_t dx, std::int64_t dy, int stripHeight, int dpi) {
  const bool inZone = dx > 0 && dx < scale(kHoverZoneWidth, dpi) && dy > 0 && dy < stripHeight;
  if (!inZone) return std::nullopt;
  return static_cast<int>(dx / scale(kHoverCellWidth, dpi));
}

}  // namespace qm
