// Where resting the pointer on the tab strip picks a list: a zone from the strip's left edge,
// cut into cells that are wider than the tabs, so the fifth tab lies beyond the last cell. Both
// grow with the window's pixel density, as the strip does.
#pragma once

#include <cstdint>
#include <optional>

namespace qm {

inline constexpr int kHoverZoneWidth = 84;
inline constexpr int kHoverCellWidth = 24;

// The cell (0..3) under a pointer at (dx, dy) from the strip's top left corner, or none outside
// the zone; all four of its bounds are exclusive.
std::optional<int> tabHoverCell(std::int64_t dx, std::int64_t dy, int stripHeight, int dpi);

}  // namespace qm
