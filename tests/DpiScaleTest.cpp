// Lengths at 96, 120, 144 and 192 DPI: the rounding of Windows' MulDiv, and the tab strip's hover
// cells, whose bounds must move with the strip they lie on.
#include <gtest/gtest.h>

#include <optional>

#include "dropwindow/TabHoverZone.h"
#include "platform/Dpi.h"

namespace qm {
namespace {

TEST(Scale, RoundsHalfAwayFromZeroAsMulDiv) {
  const struct {
    int length;
    int dpi;
    int expected;
  } cases[] = {
      // 96 DPI changes nothing.
      {114, 96, 114},
      {431, 96, 431},
      {17, 96, 17},
      {0, 96, 0},
      {-7, 96, -7},
      // 125 %: quarters fall to the nearer pixel, halves away from zero.
      {114, 120, 143},
      {17, 120, 21},
      {21, 120, 26},
      {2, 120, 3},
      {1, 120, 1},
      {-2, 120, -3},
      {-1, 120, -1},
      // 150 %.
      {114, 144, 171},
      {17, 144, 26},
      {33, 144, 50},
      {1, 144, 2},
      {11, 144, 17},
      {73, 144, 110},
      {-1, 144, -2},
      // 200 %.
      {114, 192, 228},
      {17, 192, 34},
      {549, 192, 1098},
      {-3, 192, -6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scale(c.length, c.dpi), c.expected) << c.length << " at " << c.dpi;
  }
  EXPECT_EQ(scale(Bounds{1, 2, 73, 16}, 144), (Bounds{2, 3, 110, 24}));
}

TEST(TabHoverCell, CellsAndZoneGrowWithTheStrip) {
  constexpr int kStrip96 = 21;
  const struct {
    int dpi;
    int dx;
    int dy;
    int stripHeight;
    std::optional<int> cell;
  } cases[] = {
      {96, 0, 5, kStrip96, std::nullopt},
      {96, 1, 5, kStrip96, 0},
      {96, 23, 5, kStrip96, 0},
      {96, 24, 5, kStrip96, 1},
      {96, 47, 5, kStrip96, 1},
      {96, 48, 5, kStrip96, 2},
      {96, 71, 5, kStrip96, 2},
      {96, 72, 5, kStrip96, 3},
      {96, 83, 5, kStrip96, 3},
      {96, 84, 5, kStrip96, std::nullopt},
      {96, 10, 0, kStrip96, std::nullopt},
      {96, 10, 20, kStrip96, 0},
      {96, 10, 21, kStrip96, std::nullopt},
      {96, -5, 5, kStrip96, std::nullopt},
      // 125 %: cells of 30, a zone of 105.
      {120, 29, 5, 26, 0},
      {120, 30, 5, 26, 1},
      {120, 59, 5, 26, 1},
      {120, 60, 5, 26, 2},
      {120, 89, 5, 26, 2},
      {120, 90, 5, 26, 3},
      {120, 104, 5, 26, 3},
      {120, 105, 5, 26, std::nullopt},
      {120, 10, 25, 26, 0},
      {120, 10, 26, 26, std::nullopt},
      // 150 %: cells of 36, a zone of 126.
      {144, 35, 5, 32, 0},
      {144, 36, 5, 32, 1},
      {144, 71, 5, 32, 1},
      {144, 72, 5, 32, 2},
      {144, 107, 5, 32, 2},
      {144, 108, 5, 32, 3},
      {144, 125, 5, 32, 3},
      {144, 126, 5, 32, std::nullopt},
      {144, 83, 5, 32, 2},
      {144, 84, 5, 32, 2},
      // 200 %: cells of 48, a zone of 168.
      {192, 47, 5, 42, 0},
      {192, 48, 5, 42, 1},
      {192, 95, 5, 42, 1},
      {192, 96, 5, 42, 2},
      {192, 143, 5, 42, 2},
      {192, 144, 5, 42, 3},
      {192, 167, 5, 42, 3},
      {192, 168, 5, 42, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tabHoverCell(c.dx, c.dy, c.stripHeight, c.dpi), c.cell)
        << "dx " << c.dx << " dy " << c.dy << " at " << c.dpi;
  }
}

}  // namespace
}  // namespace qm
