#include "dropwindow/Placement.h"

#include <gtest/gtest.h>

#include <limits>

#include "dropwindow/AppearanceSwitches.h"

namespace qm {
namespace {

using namespace trigger;

struct PlacementCase {
  const char* what;
  std::uint8_t trigger;
  Point pointer;
  Bounds monitor;
  std::int32_t height;
  Point expected;
};

constexpr Bounds kScreen{0, 0, 1280, 1024};
constexpr Bounds kShorterRight{1280, 0, 1024, 768};
constexpr Bounds kLowerOne{0, 1024, 1280, 1024};
constexpr Bounds kLeftAndHigher{-1920, -200, 1920, 1080};
constexpr std::int32_t kWidth = 114;
constexpr std::int32_t kHalfPanel = 56;
constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

TEST(PlaceDropWindow, ByTriggerCodeWithOnlyItsOwnClamps) {
  const PlacementCase cases[] = {
      {"top: centred on the pointer", kTop, {600, 0}, kScreen, 431, {544, 0}},
      {"top near the left: no negative left", kTop, {30, 0}, kScreen, 431, {0, 0}},
      {"top near the right: reaches past the display", kTop, {1270, 0}, kScreen, 431, {1214, 0}},
      {"left edge", kLeft, {0, 300}, kScreen, 431, {0, 300}},
      {"left edge, kept on the display at the bottom", kLeft, {0, 900}, kScreen, 431, {0, 593}},
      {"left of the primary display", kLeft, {-400, 300}, kScreen, 65, {0, 300}},
      {"key: at the pointer, centred", kAtPointer, {600, 500}, kScreen, 431, {544, 500}},
      {"key: moved left only as far as needed", kAtPointer, {1250, 100}, kScreen, 65, {1166, 100}},
      {"key: moved up only as far as needed", kAtPointer, {600, 1000}, kScreen, 431, {544, 593}},
      {"key above the display: the top stays negative",
       kAtPointer,
       {600, -50},
       kScreen,
       65,
       {544, -50}},
      {"top-left", kTop | kLeft, {0, 0}, kScreen, 431, {0, 0}},
      {"beyond the top-left corner", kTop | kLeft, {-20, -30}, kScreen, 431, {0, -30}},
      {"bottom", kBottom, {600, 1023}, kScreen, 431, {544, 593}},
      {"bottom near the right: past the display", kBottom, {1275, 1023}, kScreen, 65, {1219, 959}},
      {"bottom-left", kBottom | kLeft, {0, 1023}, kScreen, 431, {0, 593}},
      {"right", kRight, {1279, 300}, kScreen, 431, {1166, 300}},
      {"right, lifted just enough", kRight, {1279, 900}, kScreen, 431, {1166, 593}},
      {"right, above the display", kRight, {1300, -100}, kScreen, 65, {1166, -100}},
      {"top-right", kTop | kRight, {1279, 0}, kScreen, 431, {1166, 0}},
      {"bottom-right", kBottom | kRight, {1279, 1023}, kScreen, 431, {1166, 593}},
      {"taller than the display: top goes above it",
       kTop,
       {600, 0},
       {0, 0, 1280, 400},
       431,
       {544, -31}},
      // Another monitor's sides stand where the primary's 0, width and height did.
      {"second's right", kRight, {2303, 300}, kShorterRight, 65, {2190, 300}},
      {"second's right, lifted onto it", kRight, {2303, 700}, kShorterRight, 431, {2190, 337}},
      {"second's top, kept by its left side", kTop, {1300, 0}, kShorterRight, 431, {1280, 0}},
      {"key on the second, kept by its right side",
       kAtPointer,
       {2290, 100},
       kShorterRight,
       65,
       {2190, 100}},
      {"lower one's bottom", kBottom, {600, 2047}, kLowerOne, 431, {544, 1617}},
      {"lower one's bottom-left", kBottom | kLeft, {0, 2047}, kLowerOne, 431, {0, 1617}},
      {"negative: its left", kLeft, {-1920, 800}, kLeftAndHigher, 431, {-1920, 449}},
      {"negative: its top", kTop, {-1900, -200}, kLeftAndHigher, 431, {-1920, -200}},
      {"negative: its top-right", kTop | kRight, {-1, -200}, kLeftAndHigher, 65, {-114, -200}},
      // The pointer's extremes, with no overflow on the way.
      {"key, lowest pointer", kAtPointer, {kLowest, kLowest}, kScreen, 65, {0, kLowest}},
      {"key, highest pointer", kAtPointer, {kHighest, kHighest}, kScreen, 65, {1166, 959}},
      {"right, lowest pointer", kRight, {kLowest, kLowest}, kScreen, 65, {1166, kLowest}},
      {"bottom, highest pointer", kBottom, {kHighest, kHighest}, kScreen, 65, {kHighest - 56, 959}},
  };
  for (const PlacementCase& c : cases) {
    PlacementInput in;
    in.trigger = c.trigger;
    in.pointer = c.pointer;
    in.monitor = c.monitor;
    in.width = kWidth;
    in.height = c.height;
    in.halfPanelWidth = kHalfPanel;
    EXPECT_EQ(placeDropWindow(in), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace qm
