#include "dropwindow/AppearanceSwitches.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/Settings.h"

namespace qm {
namespace {

using namespace switch_flags;

constexpr ScreenSize kScreen{1280, 1024};

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
      {{-700, 500}, 0, trigger::kLeft},  // a display left of the primary one
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
  for (const EdgeCase& c : cases) {
    EXPECT_EQ(edgeTrigger(c.pointer, kScreen, c.flags), c.expected)
        << "at (" << c.pointer.x << ", " << c.pointer.y << ") flags " << int(c.flags);
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
