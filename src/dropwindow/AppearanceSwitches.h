// The appearance switches: which screen edges the pointer is at, Ctrl and F12, and the two mouse
// gestures, recognised from the directions of the pointer's movement between ticks. Pure logic:
// the caller polls the pointer and the keys and acts on the trigger code.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Geometry.h"
#include "platform/MonitorView.h"

namespace qm {

// 0 none; edge bits 1 top, 2 left, 4 bottom, 8 right (two in a corner); kAtPointer for a key or
// a gesture, which places the window at the pointer.
namespace trigger {
constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kTop = 1;
constexpr std::uint8_t kLeft = 2;
constexpr std::uint8_t kBottom = 4;
constexpr std::uint8_t kRight = 8;
constexpr std::uint8_t kAtPointer = kLeft;
}  // namespace trigger

// Stroke directions share the edge bits: up 1, left 2, down 4, right 8; 0 is an empty entry.
namespace direction {
constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kUp = 1;
constexpr std::uint8_t kLeft = 2;
constexpr std::uint8_t kDown = 4;
constexpr std::uint8_t kRight = 8;
}  // namespace direction

// The last four stroke directions, oldest first.
using GestureHistory = std::array<std::uint8_t, 4>;

inline constexpr GestureHistory kLGesture{direction::kUp, direction::kDown, direction::kRight,
                                          direction::kLeft};
inline constexpr GestureHistory kSquareGesture{direction::kDown, direction::kRight, direction::kUp,
                                               direction::kLeft};

// An x of -1 in the last sample means there is none yet.
inline constexpr Point kNoSample{-1, -1};

// The edges the pointer is at or beyond, among those the switch flags leave on. An edge is a side
// of the pointer's monitor with no monitor beyond it there: a side another monitor continues is
// one the pointer passes through, and could never be stopped at.
std::uint8_t edgeTrigger(Point pointer, const MonitorView& monitor, std::uint8_t switchFlags);

// Records the stroke between two ticks' positions on a grid of 8-pixel cells: only a step along
// one axis counts, and a direction equal to the newest entry is not recorded again.
void recordDirection(GestureHistory& history, Point previous, Point current);

struct SwitchKeys {
  bool ctrl = false;  // left or right Ctrl held
  bool f12 = false;
};

// Ctrl, F12, the L and the square gesture, in that order: the first that is on and holds turns
// `edges` into kAtPointer.
std::uint8_t keyAndGestureTrigger(std::uint8_t edges, SwitchKeys keys,
                                  const GestureHistory& history, std::uint8_t switchFlags);

// After a release the newest entry is emptied, so that a gesture must be drawn whole within one
// drag and the next drag's first stroke counts even when it repeats the last one.
void resetHistory(GestureHistory& history);

}  // namespace qm
