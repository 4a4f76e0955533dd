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

// While a drop is handled Wine's server can stall window queries for a few hundred
// milliseconds; a file's attributes come from the disk without it, so the copy tells when
// the notice was due better than the notice's own window does.
int WatchWindow(const char* className, unsigned long timeoutMs, const char* file) {
  HWND window = FindWindowA(className, nullptr);
  if (!window) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool fileSeen = file == nullptr;
  bool shown = false;
  while (GetTickCount64() < deadline) {
    if (!fileSeen && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES) {
      fileSeen = true;
      PrintMoment("file");
    }
    const bool visible = IsWindowVisible(window) != FALSE;
    if (!shown && visible) {
      shown = true;
      PrintMoment("shown");
      PrintWindowLine("window", window);
      std::fflush(stdout);
    } else if (shown && !visible) {
      PrintMoment("hidden");
      return fileSeen ? 0 : 1;
    }
    Sleep(kPollMs);
  }
  return 1;
}
