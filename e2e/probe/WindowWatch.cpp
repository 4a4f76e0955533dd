#include "WindowWatch.h"

#include <windows.h>

#include <cstdio>

#include "EventLine.h"
#include "WindowReport.h"

namespace {

constexpr DWORD kPollMs = 2;

void PrintMoment(const char* what) {
  std::printf("%s %llu %lld\n", what, GetTickCount64(), CounterMicroseconds());
  std::fflush(stdout);
}

bool LastAccess(const char* file, FILETIME* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(file, GetFileExInfoStandard, &data)) return false;
  *time = data.ftLastAccessTime;
  return true;
}

bool Same(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

int WatchWindow(const char* className, unsigned long timeoutMs, const char* readFile) {
  HWND window = FindWindowA(className, nullptr);
  if (!window) return 1;
  FILETIME unread = {};
  if (readFile && !LastAccess(readFile, &unread)) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool shown = false;
  bool hidden = false;
  bool read = readFile == nullptr;
  while (GetTickCount64() < deadline) {
    const bool visible = IsWindowVisible(window) != FALSE;
    if (!shown && visible) {
      shown = true;
      PrintMoment("shown");
      PrintWindowLine("window", window);
      std::fflush(stdout);
    } else if (shown && !hidden && !visible) {
      hidden = true;
      PrintMoment("hidden");
    }
    FILETIME now;
    if (!read && LastAccess(readFile, &now) && !Same(now, unread)) {
      read = true;
      PrintMoment("read");
    }
    if (hidden && read) return 0;
    Sleep(kPollMs);
  }
  return 1;
}
