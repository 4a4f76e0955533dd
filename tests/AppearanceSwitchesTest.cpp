#include "dropwindow/AppearanceSwitches.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/FakeInput.h"
#include "settings/Settings.h"

namespace qm {
namespace {

using namespace switch_flags;

struct EdgeCase {
  Point pointer;
  std::uint8_t flags;
  std::uint8_t expected;
};

TEST(EdgeTrigger, CountsThePointerAtOrBeyondEachEnabledEdge) {
  const EdgeCase cases[] = {
      {{1279, 500}, 0, trigger::kRight},
      {{1278, 500}, 0, trigger::kNone},
      {{1500, 500}, 0, trigger::kRight},
      {{640, 1023}, 0, trigger::kBottom},
      {{640, 1022}, 0, trigger::kNone},
      {{640, 0}, 0, trigger::kTop},
      {{640, 1}, 0, trigger::kNone},
      {{0, 500}, 0, trigger::kLeft},
      {{1, 500}, 0, trigger::kNone},
      {{-700, 500}, 0, trigger::kLeft},  // beyond the only monitor's left side
      {{0, 0}, 0, trigger::kTop | trigger::kLeft},
      {{-5, -5}, 0, trigger::kTop | trigger::kLeft},
      {{0, 1023}, 0, trigger::kBottom | trigger::kLeft},
      {{1279, 0}, 0, trigger::kTop | trigger::kRight},
      {{1279, 1023}, 0, trigger::kBottom | trigger::kRight},
      {{1279, 500}, kRightEdgeOff, trigger::kNone},
      {{0, 0}, kTopEdgeOff, trigger::kLeft},
      {{0, 0}, kLeftEdgeOff, trigger::kTop},
      {{1279, 1023}, kBottomEdgeOff, trigger::kRight},
      {{0, 0}, kTopEdgeOff | kLeftEdgeOff, trigger::kNone},
      {{1279, 1023}, 0x0F, trigger::kNone},
      // The key and gesture bits play no part here.
      {{1279, 500}, kCtrlOff | kF12Off | kLGestureOn | kSquareGestureOn, trigger::kRight},
  };
  FakeInput oneMonitor;  // 1280 x 1024 at (0, 0)
  for (const EdgeCase& c : cases) {
    EXPECT_EQ(edgeTrigger(c.pointer, oneMonitor.monitorAt(c.pointer), c.flags), c.expected)
        << "at (" << c.pointer.x << ", " << c.pointer.y << ") flags " << int(c.flags);
  }
}

using Layout = std::vector<Bounds>;
const Layout kSideBySide{{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}};
const Layout kStacked{{0, 0, 1280, 1024}, {0, 1024, 1280, 1024}};
// The second is shorter: the primary's right side is shared down to row 767 only.
const Layout kShorterRight{{0, 0, 1280, 1024}, {1280, 0, 1024, 768}};
// Left of the primary and higher up: its right side is shared from row 0 to 879.
const Layout kNegativeLeft{{0, 0, 1280, 1024}, {-1920, -200, 1920, 1080}};
const Layout kThreeInARow{{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}, {-1280, 0, 1280, 1024}};

struct LayoutEdgeCase {
  const char* what;
  const Layout* layout;
  Point pointer;
  std::uint8_t expected;
};

TEST(EdgeTrigger, ASideAnotherMonitorContinuesIsNoEdge) {
  const LayoutEdgeCase cases[] = {
      {"side by side: primary's shared right", &kSideBySide, {1279, 500}, trigger::kNone},
      {"side by side: second's shared left", &kSideBySide, {1280, 500}, trigger::kNone},
      {"side by side: second's right", &kSideBySide, {2559, 500}, trigger::kRight},
      {"side by side: second's top", &kSideBySide, {1280, 0}, trigger::kTop},
      {"side by side: top-right of the primary", &kSideBySide, {1279, 0}, trigger::kTop},
      {"side by side: second's bottom-right",
       &kSideBySide,
       {2559, 1023},
       trigger::kBottom | trigger::kRight},
      {"stacked: primary's shared bottom", &kStacked, {640, 1023}, trigger::kNone},
      {"stacked: lower one's shared top", &kStacked, {640, 1024}, trigger::kNone},
      {"stacked: lower one's bottom", &kStacked, {640, 2047}, trigger::kBottom},
      {"stacked: lower one's bottom-left", &kStacked, {0, 2047}, trigger::kBottom | trigger::kLeft},
      {"stacked: right side of the lower one", &kStacked, {1279, 1500}, trigger::kRight},
      {"shorter: middle of the second", &kShorterRight, {1792, 384}, trigger::kNone},
      {"shorter: primary's right, shared row", &kShorterRight, {1279, 767}, trigger::kNone},
      {"shorter: primary's right, first free row", &kShorterRight, {1279, 768}, trigger::kRight},
      {"shorter: primary's right, far below", &kShorterRight, {1279, 1000}, trigger::kRight},
      {"shorter: second's left", &kShorterRight, {1280, 500}, trigger::kNone},
      {"shorter: second's right", &kShorterRight, {2303, 384}, trigger::kRight},
      {"shorter: second's bottom, its left shared", &kShorterRight, {1280, 767}, trigger::kBottom},
      {"shorter: second's bottom-right",
       &kShorterRight,
       {2303, 767},
       trigger::kBottom | trigger::kRight},
      {"negative: its left", &kNegativeLeft, {-1920, 500}, trigger::kLeft},
      {"negative: its shared right", &kNegativeLeft, {-1, 500}, trigger::kNone},
      {"negative: primary's shared left", &kNegativeLeft, {0, 500}, trigger::kNone},
      {"negative: primary's left below it", &kNegativeLeft, {0, 950}, trigger::kLeft},
      {"negative: primary's top, nothing above", &kNegativeLeft, {640, 0}, trigger::kTop},
      {"negative: its top", &kNegativeLeft, {-1000, -200}, trigger::kTop},
      {"negative: its top-right, above the primary",
       &kNegativeLeft,
       {-1, -200},
       trigger::kTop | trigger::kRight},
      {"negative: its bottom", &kNegativeLeft, {-1000, 879}, trigger::kBottom},
      {"three: left one's left", &kThreeInARow, {-1280, 500}, trigger::kLeft},
      {"three: left one's right", &kThreeInARow, {-1, 500}, trigger::kNone},
      {"three: middle's left", &kThreeInARow, {0, 500}, trigger::kNone},
      {"three: middle's right", &kThreeInARow, {1279, 500}, trigger::kNone},
      {"three: right one's left", &kThreeInARow, {1280, 500}, trigger::kNone},
      {"three: right one's right", &kThreeInARow, {2559, 500}, trigger::kRight},
      {"three: middle's bottom", &kThreeInARow, {640, 1023}, trigger::kBottom},
  };
  FakeInput input;
  for (const LayoutEdgeCase& c : cases) {
    input.monitors = *c.layout;
    EXPECT_EQ(edgeTrigger(c.pointer, input.monitorAt(c.pointer), 0), c.expected) << c.what;
  }
}

constexpr GestureHistory kNoStrokes{};
constexpr GestureHistory kHalfL{0, direction::kUp, direction::kDown, direction::kRight};

struct KeyCase {
  const char* what;
  std::uint8_t edges;
  SwitchKeys keys;
  GestureHistory history;
  std::uint8_t flags;
  std::uint8_t expected;
};

TEST(KeyAndGestureTrigger, FirstEnabledSwitchThatHoldsPlacesAtThePointer) {
  const KeyCase cases[] = {
      {"nothing held keeps the edges", trigger::kRight, {}, kNoStrokes, 0, trigger::kRight},
      {"Ctrl replaces the edge bits",
       trigger::kBottom | trigger::kRight,
       {true, false},
       kNoStrokes,
       0,
       trigger::kAtPointer},
      {"Ctrl switched off", trigger::kNone, {true, false}, kNoStrokes, kCtrlOff, trigger::kNone},
      {"F12 fires when Ctrl is off",
       trigger::kNone,
       {true, true},
       kNoStrokes,
       kCtrlOff,
       trigger::kAtPointer},
      {"both keys off", trigger::kTop, {true, true}, kNoStrokes, kCtrlOff | kF12Off, trigger::kTop},
      {"L drawn and on", trigger::kNone, {}, kLGesture, kLGestureOn, trigger::kAtPointer},
      {"L drawn, only the square on",
       trigger::kNone,
       {},
       kLGesture,
       kSquareGestureOn,
       trigger::kNone},
      {"square drawn and on",
       trigger::kNone,
       {},
       kSquareGesture,
       kSquareGestureOn,
       trigger::kAtPointer},
      {"square drawn, only L on", trigger::kNone, {}, kSquareGesture, kLGestureOn, trigger::kNone},
      {"three strokes of L", trigger::kNone, {}, kHalfL, kLGestureOn, trigger::kNone},
      {"gestures off by default", trigger::kNone, {}, kLGesture, 0, trigger::kNone},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(keyAndGestureTrigger(c.edges, c.keys, c.history, c.flags), c.expected) << c.what;
  }
}

struct StrokeCase {
  const char* what;
  GestureHistory before;
  std::vector<Point> samples;  // one per tick
  GestureHistory expected;
};

TEST(RecordDirection, OneEntryPerStrokeOnEightPixelCells) {
  using namespace direction;
  const StrokeCase cases[] = {
      {"30 pixels straight up",
       kNoStrokes,
       {{100, 100}, {100, 90}, {100, 80}, {100, 70}},
       {0, 0, 0, kUp}},
      {"up, a pause, further up",
       kNoStrokes,
       {{100, 100}, {100, 90}, {100, 90}, {100, 60}},
       {0, 0, 0, kUp}},
      {"within one cell", kNoStrokes, {{96, 96}, {103, 103}}, kNoStrokes},
      {"a diagonal step", kNoStrokes, {{100, 100}, {110, 110}}, kNoStrokes},
      {"a diagonal step in each of the four directions",
       kNoStrokes,
       {{100, 100}, {110, 90}, {100, 100}, {90, 90}, {100, 100}},
       kNoStrokes},
      {"a slow diagonal alternates",
       kNoStrokes,
       {{100, 100}, {108, 100}, {108, 108}, {116, 108}},
       {0, kRight, kDown, kRight}},
      {"the L shape",
       kNoStrokes,
       {{100, 100}, {100, 80}, {100, 100}, {120, 100}, {100, 100}},
       kLGesture},
      {"a fifth stroke pushes the oldest out",
       kLGesture,
       {{100, 100}, {100, 120}},
       {kDown, kRight, kLeft, kDown}},
      {"the newest is not repeated", {0, 0, 0, kLeft}, {{100, 100}, {80, 100}}, {0, 0, 0, kLeft}},
      {"after a reset the same stroke counts",
       {0, 0, kLeft, 0},
       {{100, 100}, {80, 100}},
       {0, kLeft, 0, kLeft}},
      {"one pixel left of the primary display is another cell",
       kNoStrokes,
       {{0, 5}, {-1, 5}},
       {0, 0, 0, kLeft}},
      {"negative cells upward", kNoStrokes, {{5, -1}, {5, -9}}, {0, 0, 0, kUp}},
      {"no sample yet", kNoStrokes, {kNoSample, {100, -1}}, kNoStrokes},
  };
  for (const StrokeCase& c : cases) {
    GestureHistory history = c.before;
    for (std::size_t i = 1; i < c.samples.size(); ++i) {
      recordDirection(history, c.samples[i - 1], c.samples[i]);
    }
    EXPECT_EQ(history, c.expected) << c.what;
  }
}

TEST(ResetHistory, EmptiesOnlyTheNewestEntry) {
  GestureHistory history = kLGesture;
  resetHistory(history);
  EXPECT_EQ(history, (GestureHistory{direction::kUp, direction::kDown, direction::kRight, 0}));
}

}  // namespace
}  // namespace qm
