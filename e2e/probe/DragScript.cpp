#include "DragScript.h"

#include "EventLine.h"

namespace {

constexpr DWORD kPollMs = 5;
// Deadlines guard against a hang only; each is many times what a busy machine needs.
constexpr DWORD kTargetDeadlineMs = 5000;
constexpr DWORD kPointerDeadlineMs = 5000;
// A late X event from the harness can take the cursor back after the move onto the target:
// the move is sent again this often until the cursor stays there.
constexpr DWORD kMoveAgainMs = 200;
// For the harness to read the edge event and bring the X pointer there.
constexpr DWORD kFollowDeadlineMs = 5000;
// The drag loop reads the pointer at each of its turns; on a busy machine it can still be behind
// the move onto the target when the settling time is over, and the drop lands nowhere. Two turns
// after the pointer is there make sure one has read it there; past the deadline the release comes
// all the same.
constexpr LONG kLoopTurnsOnTarget = 2;
constexpr DWORD kLoopDeadlineMs = 5000;
// The drop window's timer runs every 50 ms; six of its ticks see the pointer at rest, and the
// harness has time to bring the X pointer to the same point (see e2e/harness/ole_drag.py).
constexpr DWORD kSettleMs = 300;

// Wine maps an absolute coordinate d to (d * width) >> 16, so round up to land on the pixel.
LONG Absolute(LONG pixel, int extent) {
  const LONG value =
      static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + extent - 1) / extent);
  return value > 65535 ? 65535 : value;
}

void SendMouse(DWORD flags, POINT point = {}) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = Absolute(point.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Absolute(point.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

template <typename Check>
bool PollUntil(DWORD deadlineMs, Check check) {
  const ULONGLONG deadline = GetTickCount64() + deadlineMs;
  while (!check()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

bool PointerAt(POINT point) {
  POINT now;
  return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

DWORD Fail(DragScript* script, const char* what) {
  PrintEvent("timeout", "what=%s", what);
  InterlockedExchange(&script->cancel, 1);
  SendMouse(MOUSEEVENTF_LEFTUP);
  return 1;
}

DWORD WINAPI RunDragScript(void* parameter) {
  DragScript* script = static_cast<DragScript*>(parameter);
  // The harness brings the X pointer to the edge. A cursor sent there with SendInput would be
  // taken back to the X pointer at its next event, and that event, from the harness following
  // late, could come after the move onto the target and undo it.
  PrintEvent("edge", "x=%ld y=%ld", script->edge.x, script->edge.y);
  if (!PollUntil(kFollowDeadlineMs, [&] { return PointerAt(script->edge); })) {
    return Fail(script, "pointer-at-edge");
  }
  HWND target = nullptr;
  if (!PollUntil(kTargetDeadlineMs, [&] {
        target = FindWindowA(script->targetClass, nullptr);
        return target && IsWindowVisible(target);
      })) {
    return Fail(script, "target-window");
  }
  RECT bounds;
  GetWindowRect(target, &bounds);
  PrintEvent("target", "left=%ld top=%ld right=%ld bottom=%ld", bounds.left, bounds.top,
             bounds.right, bounds.bottom);
  const POINT onTarget = {(bounds.left + bounds.right) / 2, script->offsetGiven
                                                                ? bounds.top + script->offset
                                                                : (bounds.top + bounds.bottom) / 2};
  ULONGLONG moved = 0;
  if (!PollUntil(kPointerDeadlineMs, [&] {
        if (PointerAt(onTarget)) return true;
        if (GetTickCount64() - moved >= kMoveAgainMs) {
          SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, onTarget);
          moved = GetTickCount64();
        }
        return false;
      })) {
    return Fail(script, "pointer-on-target");
  }
  PrintEvent("over", "x=%ld y=%ld", onTarget.x, onTarget.y);
  const LONG turnsBefore = script->loopTurns;
  PollUntil(kLoopDeadlineMs, [&] { return script->loopTurns - turnsBefore >= kLoopTurnsOnTarget; });
  PrintEvent("settle", "loop_turns=%ld", script->loopTurns - turnsBefore);
  Sleep(kSettleMs);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PrintEvent("release", "x=%ld y=%ld deadline_ms=%lu", onTarget.x, onTarget.y,
             script->dragEndDeadlineMs);
  if (WaitForSingleObject(script->dragEnded, script->dragEndDeadlineMs) != WAIT_OBJECT_0) {
    PrintEvent("timeout", "what=drag-end");
    ExitProcess(1);
  }
  return 0;
}

}  // namespace

HANDLE StartDragScript(DragScript* script) {
  return CreateThread(nullptr, 0, RunDragScript, script, 0, nullptr);
}
