// Where the drop window comes up for a trigger code: at the edge the pointer reached, or at the
// pointer for a key or gesture, kept by the sides of the pointer's monitor. Pure arithmetic on
// screen pixels.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace qm {

struct PlacementInput {
  std::uint8_t trigger = 0;
  Point pointer;
  Bounds monitor;          // the pointer's monitor
  std::int32_t width = 0;  // the drop window's
  std::int32_t height = 0;
  std::int32_t halfPanelWidth = 0;  // half a folder panel, rounded down
};

// The window's top-left corner. Only the clamps below are made: the window may reach past the
// right side at the top and bottom edges, and above the monitor when the pointer is above it.
Point placeDropWindow(const PlacementInput& in);

}  // namespace qm
