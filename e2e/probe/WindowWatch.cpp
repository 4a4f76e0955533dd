#include "WindowWatch.h"

#include <windows.h>

#include <cstdio>

#include "WindowReport.h"

namespace {

constexpr DWORD kPollMs = 5;

HWND VisibleWindowOf(const char* className) {
  HWND window = FindWindowA(className, nullptr);
  return window && IsWindowVisible(window) ? window : nullptr;
}

}  // namespace

int WatchWindow(const char* className, unsigned long timeoutMs) {
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  ULONGLONG shownAt = 0;
  while (GetTickCount64() < deadline) {
    HWND window = VisibleWindowOf(className);
    if (shownAt == 0 && window) {
      shownAt = GetTickCount64();
      PrintWindowLine("window", window);
      std::fflush(stdout);
    } else if (shownAt != 0 && !window) {
      std::printf("hidden %llu\n", GetTickCount64() - shownAt);
      std::fflush(stdout);
      return 0;
    }
    Sleep(kPollMs);
  }
  return 1;
}
