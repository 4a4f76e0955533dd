#include "platform/win32/Win32DropMoments.h"

#include <windows.h>

#include <cstdio>

namespace qm {
namespace {

constexpr long long kMicrosecondsPerSecond = 1000000;
constexpr ULONGLONG kMonitorLookMs = 1000;

const char* nameOf(DropMoment moment) {
  switch (moment) {
    case DropMoment::Reached:
      return "reached";
    case DropMoment::Taken:
      return "taken";
    case DropMoment::Converting:
      return "converting";
    case DropMoment::Decoded:
      return "decoded";
    case DropMoment::Converted:
      return "converted";
    case DropMoment::Copying:
      return "copying";
    case DropMoment::Copied:
      return "copied";
    case DropMoment::Noticed:
      return "noticed";
  }
  return "?";
}

long long microsecondsNow() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  // Whole seconds and the rest apart, so that a high frequency cannot overflow the product.
  const long long seconds = now.QuadPart / frequency.QuadPart;
  const long long rest = now.QuadPart % frequency.QuadPart;
  return seconds * kMicrosecondsPerSecond + rest * kMicrosecondsPerSecond / frequency.QuadPart;
}

// Whether a debug monitor has the system's debug buffer open, as OutputDebugString itself would
// find out; asked again only once kMonitorLookMs have passed. Only the window's thread ticks.
bool monitorListens() {
  static ULONGLONG nextLook = 0;
  static bool listens = false;
  const ULONGLONG now = GetTickCount64();
  if (now < nextLook) return listens;
  nextLook = now + kMonitorLookMs;
  HANDLE buffer = OpenFileMappingA(FILE_MAP_READ, FALSE, "DBWIN_BUFFER");
  listens = buffer != nullptr;
  if (buffer) CloseHandle(buffer);
  return listens;
}

}  // namespace

void markTick(int intervalMs) {
  if (!monitorListens()) return;
  char line[64];
  std::snprintf(line, sizeof line, "qm-tick %d us=%lld\n", intervalMs, microsecondsNow());
  OutputDebugStringA(line);
}

void markDropMoment(DropMoment moment) {
  // The time is taken here, not when a monitor reads the line, which may be much later.
  char line[64];
  std::snprintf(line, sizeof line, "qm-drop %s us=%lld\n", nameOf(moment), microsecondsNow());
  OutputDebugStringA(line);
}

}  // namespace qm
