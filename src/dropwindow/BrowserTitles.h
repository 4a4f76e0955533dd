// The drop window is offered only while the foreground window is a web browser, told by a name in
// its title.
#pragma once

#include <array>
#include <string_view>

namespace qm {

// Searched in this order, byte for byte and case-sensitive. The browsers of today come after the
// older ones; "Opera" and "Firefox" already match their current titles. Edge puts a zero-width
// space after "Microsoft", which the ANSI title shows as "?"; without it the plain name stands.
inline constexpr std::array<std::string_view, 21> kBrowserNames{
    "Internet Explorer",
    "Firefox",
    "Donut P",
    "Donut RAPT",
    "Lunascape",
    "Opera",
    "Sleipnir",
    "Netscape",
    "Donut L",
    "Donut Q",
    "Donut R",
    "unDonut",
    "Safari",
    "ScriptBrowser",
    "Maxthon",
    "Google Chrome",
    "Microsoft? Edge",
    "Microsoft Edge",
    "Chromium",
    "Brave",
    "Vivaldi",
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
