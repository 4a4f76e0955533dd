#include "EventLine.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

long long CounterMicroseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

void PrintEvent(const char* event, const char* format, ...) {
  static const ULONGLONG start = GetTickCount64();
  char details[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(details, sizeof details, format, arguments);
  va_end(arguments);
  // One printf per line: the drag script's thread prints too, and lines must not interleave.
  std::printf("%s t=%llu us=%lld %s\n", event, GetTickCount64() - start, CounterMicroseconds(),
              details);
  std::fflush(stdout);
}

void PrintEvent(const char* event) {
  PrintEvent(event, "%s", "");
}
