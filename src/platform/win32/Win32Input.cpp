#include "platform/win32/Win32Input.h"

#include <windows.h>

#include <vector>

namespace qm {

bool Win32Input::isHeld(int virtualKey) {
  return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32Input::isReported(int virtualKey) {
  return GetAsyncKeyState(virtualKey) != 0;
}

std::optional<Point> Win32Input::cursorPos() {
  POINT at;
  if (!GetCursorPos(&at)) return std::nullopt;
  return Point{at.x, at.y};
}

std::optional<std::string> Win32Input::foregroundTitle(int limit) {
  HWND foreground = GetForegroundWindow();
  if (!foreground || limit <= 0) return std::nullopt;
  std::vector<char> title(static_cast<std::size_t>(limit), '\0');
  const int length = GetWindowTextA(foreground, title.data(), limit);
  return std::string(title.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

ScreenSize Win32Input::primaryScreen() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace qm
