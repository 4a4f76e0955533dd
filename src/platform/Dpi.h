// Lengths on screens of any pixel density. The layouts are drawn for 96 dots per inch; a window
// on a denser screen takes every length times its DPI / 96, rounded as Windows' MulDiv rounds,
// so that at 96 every length is the one drawn.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace qm {

inline constexpr int kDesignDpi = 96;

// MulDiv(length, dpi, 96): the product in 64 bits, then the division rounded half away from zero.
constexpr std::int32_t scale(std::int32_t length, int dpi) {
  const std::int64_t product = std::int64_t{length} * dpi;
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<std::int32_t>(product >= 0 ? (product + half) / kDesignDpi
                                                : (product - half) / kDesignDpi);
}

constexpr Bounds scale(const Bounds& b, int dpi) {
  return {scale(b.left, dpi), scale(b.top, dpi), scale(b.width, dpi), scale(b.height, dpi)};
}

}  // namespace qm
