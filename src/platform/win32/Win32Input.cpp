#include "platform/win32/Win32Input.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Text.h"
#include "text/Cp932.h"

namespace qm {
namespace {

// The longest path the wide file functions know, in characters with the terminating zero.
constexpr std::size_t kLongestImagePath = 32768;

bool onAMonitor(LONG x, LONG y) {
  return MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONULL) != nullptr;
}

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
  // Read in UTF-16 and made what GetWindowTextA gives on a Japanese Windows: at most limit - 1
  // characters, each in code page 932 or its stand-in, in a buffer of `limit` bytes.
  std::wstring title(static_cast<std::size_t>(limit), L'\0');
  title.resize(
      static_cast<std::size_t>(std::max(GetWindowTextW(foreground, title.data(), limit), 0)));
  return std::string(text::fitInBuffer(narrow(title), static_cast<std::size_t>(limit)));
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

MonitorView Win32Input::monitorAt(Point point) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  MonitorView view;
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST),
                       &info)) {
    // Never seen; the primary display at (0, 0) is what the program knew before it knew more.
    view.rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return view;
  }
  const RECT& r = info.rcMonitor;
  view.rect = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  // The neighbours are asked about only at the sides the pointer is at, so a tick in the middle
  // of a monitor costs two calls, as the two screen metrics did before.
  if (atTopSide(point, view.rect)) view.openTop = !onAMonitor(point.x, r.top - 1);
  if (atLeftSide(point, view.rect)) view.openLeft = !onAMonitor(r.left - 1, point.y);
  if (atBottomSide(point, view.rect)) view.openBottom = !onAMonitor(point.x, r.bottom);
  if (atRightSide(point, view.rect)) view.openRight = !onAMonitor(r.right, point.y);
  return view;
}

}  // namespace qm
