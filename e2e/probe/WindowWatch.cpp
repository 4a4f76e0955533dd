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

}  // namespace

int WatchWindow(const char* className, unsigned long timeoutMs) {
  HWND window = FindWindowA(className, nullptr);
  if (!window) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool shown = false;
  while (GetTickCount64() < deadline) {
    const bool visible = IsWindowVisible(window) != FALSE;
    if (!shown && visible) {
      shown = true;
      PrintMoment("shown");
      PrintWindowLine("window", window);
      std::fflush(stdout);
    } else if (shown && !visible) {
      PrintMoment("hidden");
      return 0;
    }
    Sleep(kPollMs);
  }
  return 1;
}
