#include "platform/win32/Win32Input.h"

#include <windows.h>

#include <vector>

namespace qm {
namespace {

// The longest path the wide file functions know, in characters with the terminating zero.
constexpr std::size_t kLongestImagePath = 32768;

}  // namespace

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

std::optional<std::wstring> Win32Input::foregroundImagePath() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return std::nullopt;
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(foreground, &processId) || processId == 0) return std::nullopt;
  // Limited query rights are granted even on an elevated process, which a browser run as
  // administrator is.
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return std::nullopt;
  std::wstring path(kLongestImagePath, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  const BOOL named = QueryFullProcessImageNameW(process, 0, path.data(), &length);
  CloseHandle(process);
  if (!named) return std::nullopt;
  path.resize(length);
  return path;
}

ScreenSize Win32Input::primaryScreen() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace qm
