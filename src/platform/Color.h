// A colour as Windows stores it: 0x00BBGGRR, or a system colour index tagged with the high bit,
// resolved by the platform when painting (so a theme change shows at once).
#pragma once

#include <cstdint>

namespace qm {

using Color = std::uint32_t;

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

constexpr Color kSystemColorTag = 0x80000000u;
constexpr Color systemColor(std::uint32_t index) {
  return kSystemColorTag | index;
}
constexpr bool isSystemColor(Color c) {
  return (c & kSystemColorTag) != 0;
}
constexpr std::uint32_t systemColorIndex(Color c) {
  return c & ~kSystemColorTag;
}

// Indices of GetSysColor.
constexpr Color kColorActiveCaption = systemColor(2);
constexpr Color kColorWindow = systemColor(5);
constexpr Color kColorWindowText = systemColor(8);
constexpr Color kColorAppWorkspace = systemColor(12);
constexpr Color kColorButtonFace = systemColor(15);
constexpr Color kColorInfoBackground = systemColor(24);

constexpr Color kWhite = rgb(255, 255, 255);

}  // namespace qm
