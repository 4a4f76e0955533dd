#include "WindowAnswer.h"

#include <cstdio>

namespace {

constexpr UINT kAnswerDeadlineMs = 1000;

}  // namespace

int PrintWhetherAnswers(HWND window) {
  DWORD_PTR ignored = 0;
  const ULONGLONG started = GetTickCount64();
  if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerDeadlineMs, &ignored)) {
    std::printf("answers 1 ms=%llu\n", GetTickCount64() - started);
  } else {
    std::printf("answers 0\n");
  }
  return 0;
}
