#include "DebugWatch.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// The layout the system's OutputDebugString writes into the shared buffer.
constexpr DWORD kBufferBytes = 4096;
struct SharedBuffer {
  DWORD processId;
  char text[kBufferBytes - sizeof(DWORD)];
};
static_assert(sizeof(SharedBuffer) == kBufferBytes);

constexpr DWORD kWaitMs = 100;

}  // namespace

int WatchDebugOutput(unsigned long seconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  HANDLE bufferReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
  HANDLE dataReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      kBufferBytes, "DBWIN_BUFFER");
  if (!bufferReady || !dataReady || !mapping) return 1;
  const auto* shared =
      static_cast<const SharedBuffer*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kBufferBytes));
  if (!shared) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  SharedBuffer line;
  // Set once for each line taken: a second set while a writer is filling the buffer would let
  // the next writer overwrite it before it is copied.
  SetEvent(bufferReady);
  while (GetTickCount64() < deadline) {
    if (WaitForSingleObject(dataReady, kWaitMs) != WAIT_OBJECT_0) continue;
    // Copied out before the writer may go on, printed after: the writer never waits on stdout.
    std::memcpy(&line, shared, sizeof line);
    line.text[sizeof line.text - 1] = '\0';
    SetEvent(bufferReady);
    std::printf("%lu %s", line.processId, line.text);
    if (std::strchr(line.text, '\n') == nullptr) std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}
