#include "WindowAnswer.h"

#include <cstdio>

namespace {

// A window that answers does so within milliseconds; one that does not, never. The deadline
// leaves room for a machine whose cores are shared.
constexpr UINT kAnswerDeadlineMs = 10000;

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
