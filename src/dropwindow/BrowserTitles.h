// The drop window is offered only while the foreground window is a web browser, told by a name in
// its title.
#pragma once

#include <array>
#include <string_view>

namespace qm {

// Searched in this order, byte for byte and case-sensitive.
inline constexpr std::array<std::string_view, 15> kBrowserNames{
    "Internet Explorer", "Firefox", "Donut P", "Donut RAPT", "Lunascape", "Opera",  "Sleipnir",
    "Netscape",          "Donut L", "Donut Q", "Donut R",    "unDonut",   "Safari", "ScriptBrowser",
    "Maxthon",
};

// The title is read with this buffer size, terminator included: a name must end within its
// first 99 bytes to be seen.
inline constexpr int kTitleLimit = 100;

inline bool namesBrowser(std::string_view title) {
  for (std::string_view name : kBrowserNames) {
    if (title.find(name) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace qm
