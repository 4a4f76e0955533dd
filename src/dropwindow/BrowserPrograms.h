// A browser whose title names no browser, or names it too late for the title test, is still known
// by the program behind its window.
#pragma once

#include <array>
#include <string_view>

namespace qm {

// The file names today's browsers ship their main program under. Compared without regard to
// ASCII case: Windows file names are case-insensitive and some installers use capitals ("Arc.exe").
inline constexpr std::array<std::wstring_view, 16> kBrowserPrograms{
    L"chrome.exe",   L"msedge.exe",    L"firefox.exe",   L"brave.exe",
    L"vivaldi.exe",  L"opera.exe",     L"iexplore.exe",  L"floorp.exe",
    L"waterfox.exe", L"librewolf.exe", L"zen.exe",       L"thorium.exe",
    L"arc.exe",      L"sleipnir.exe",  L"lunascape.exe", L"maxthon.exe",
};

// `imagePath` is a program's full path as the system gives it; only its last part counts.
bool isBrowserProgram(std::wstring_view imagePath);

}  // namespace qm
