// The drop window's constant look: folder panel heights, mode texts, list colours, tab styles and
// the caption size of a folder panel. Lookups by a settings value never leave their table: a value
// outside it is read as the nearest end.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Color.h"
#include "settings/Settings.h"

namespace qm::look {

// Indexed by the drop window size.
inline constexpr std::array<int, 3> kPanelHeights{17, 25, 33};

// Indexed by the save mode. The leading spaces line the texts up under each other.
inline constexpr std::array<const char*, 3> kModeTexts{
    "  上書きモード",
    " 別名保存モード",
    "ﾌｧｲﾙ名入力モード",
};

// Background of all folder panels while the folder list of that index is current.
inline constexpr std::array<Color, kFolderListCount> kListColors{
    kColorButtonFace,   rgb(224, 224, 239), rgb(239, 224, 224),
    rgb(224, 239, 224), rgb(224, 239, 239),
};

// Tabs: every tab in the normal style, and the current list's tab in the hover style.
inline constexpr Color kTabFace = kColorButtonFace;
inline constexpr Color kTabText = rgb(128, 128, 128);
inline constexpr Color kHoverTabFace = rgb(255, 192, 203);
inline constexpr Color kHoverTabText = rgb(255, 0, 0);
// How the tabs look until they are painted for the first time.
inline constexpr Color kTabLayoutFace = kColorActiveCaption;
inline constexpr int kTabsLoweredInLayout = 2;

// Caption size of a folder panel by the display name's length in code page 932 bytes.
inline constexpr int kCaptionPoints = 9;
inline constexpr std::size_t kLongNameBytes = 20;
inline constexpr int kLongNamePoints = 8;
inline constexpr std::size_t kLongerNameBytes = 24;
inline constexpr int kLongerNamePoints = 7;

constexpr int captionPoints(std::size_t nameBytes) {
  if (nameBytes >= kLongerNameBytes) return kLongerNamePoints;
  if (nameBytes >= kLongNameBytes) return kLongNamePoints;
  return kCaptionPoints;
}

template <typename T, std::size_t N>
constexpr const T& entryFor(const std::array<T, N>& table, int index) {
  return table[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(N) - 1))];
}

constexpr int panelHeight(std::int16_t dropWindowSize) {
  return entryFor(kPanelHeights, dropWindowSize);
}
constexpr const char* modeText(std::int16_t saveMode) {
  return entryFor(kModeTexts, saveMode);
}
constexpr Color listColor(int folderList) {
  return entryFor(kListColors, folderList);
}

}  // namespace qm::look
