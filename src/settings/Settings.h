// The settings as the program holds them in memory.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/SaveFormat.h"
#include "settings/FixedText.h"

namespace qm {

constexpr int kSlotsPerList = 12;
constexpr int kFolderListCount = 5;

enum SaveMode : std::int16_t {
  kSaveOverwrite = 0,
  kSaveNumbered = 1,
  kSaveAskName = 2,
};

enum DropWindowSize : std::int16_t {
  kSizeSmall = 0,
  kSizeNormal = 1,
  kSizeLarge = 2,
};

// One bit per appearance switch. The edge and key bits are set when the switch is off, the gesture
// bits when the gesture is on, so 0 means every edge and key on and both gestures off.
namespace switch_flags {
constexpr std::uint8_t kRightEdgeOff = 0x01;
constexpr std::uint8_t kLeftEdgeOff = 0x02;
constexpr std::uint8_t kBottomEdgeOff = 0x04;
constexpr std::uint8_t kTopEdgeOff = 0x08;
constexpr std::uint8_t kSquareGestureOn = 0x10;
constexpr std::uint8_t kLGestureOn = 0x20;
constexpr std::uint8_t kF12Off = 0x40;
constexpr std::uint8_t kCtrlOff = 0x80;
}  // namespace switch_flags

struct FolderSlot {
  FixedText<32> name;
  FixedText<260> path;
  friend bool operator==(const FolderSlot&, const FolderSlot&) = default;
};

using FolderList = std::array<FolderSlot, kSlotsPerList>;

// Held by the drop window: the header, the slots of its current folder list and the sound.
struct Settings {
  std::int16_t saveMode = kSaveOverwrite;
  std::int16_t dropWindowSize = kSizeSmall;
  std::uint8_t switchFlags = 0;
  std::int8_t lastListIndex = 0;  // folder lists 1..(index + 1) exist
  std::uint8_t saveFormat = kSaveAsIs;
  std::array<std::uint8_t, 9> reserved{};
  FolderList slots{};
  FixedText<260> soundPath;
};

// Held by the folder-list editor: every folder list, as last read or saved.
struct ConfirmedFolderLists {
  std::array<FolderList, kFolderListCount> lists{};
  bool settingsFileMissing = false;
};

}  // namespace qm
