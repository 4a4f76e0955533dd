// qmpoll: sees, every half millisecond, what a drag watcher's own 50 ms polls see (the pointer,
// the left button's held bit) and whether the watched windows are visible, and prints a line
// whenever the pointer reaches or leaves the right edge, the button changes or a window shows
// or hides, so the latencies can be read from inside Wine rather than from the X side, where
// xdotool's timing says nothing about when a Windows program notices.
//   qmpoll STOPFILE CLASS...
// Lines: milliseconds, x, y, at-right-edge, held, then 1/0 per class; once STOPFILE exists it
// ends with a line of figures on the polls themselves.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr double kPollIntervalMs = 0.5;
constexpr int kPollsPerStopCheck = 100;
constexpr double kLateMs = 1.0;

using DelayExecution = LONG(WINAPI*)(BOOLEAN, const LARGE_INTEGER*);

// Sleep() cannot wait less than a millisecond; the native call can (under Wine it is a plain
// nanosleep, with no system clock tick to round it up).
DelayExecution LoadDelay() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll ? reinterpret_cast<DelayExecution>(
                     reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution")))
               : nullptr;
}

struct Seen {
  POINT pointer{};
  bool atEdge = false;
  bool held = false;
  std::vector<bool> visible;

  bool operator==(const Seen& other) const {
    return atEdge == other.atEdge && held == other.held && visible == other.visible;
  }
};

class Poller {
 public:
  explicit Poller(std::vector<const char*> classes)
      : classes_(std::move(classes)),
        windows_(classes_.size(), nullptr),
        rightEdge_(GetSystemMetrics(SM_CXSCREEN) - 1) {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }

  Seen look() {
    Seen seen;
    GetCursorPos(&seen.pointer);
    seen.atEdge = seen.pointer.x == rightEdge_;
    seen.held = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    for (std::size_t i = 0; i < classes_.size(); ++i) {
      // A program may start after the poller; look for its window until it is there. Once
      // found it stays: the watched windows live as long as their programs.
      if (!windows_[i]) windows_[i] = FindWindowA(classes_[i], nullptr);
      seen.visible.push_back(windows_[i] && IsWindowVisible(windows_[i]));
    }
    return seen;
  }

  double elapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(frequency_.QuadPart);
  }

  void print(const Seen& seen) const {
    std::printf("%.3f\t%ld\t%ld\t%d\t%d", elapsedMs(), seen.pointer.x, seen.pointer.y,
                seen.atEdge ? 1 : 0, seen.held ? 1 : 0);
    for (bool visible : seen.visible) std::printf("\t%d", visible ? 1 : 0);
    std::printf("\n");
    std::fflush(stdout);
  }

 private:
  std::vector<const char*> classes_;
  std::vector<HWND> windows_;
  LONG rightEdge_;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: qmpoll STOPFILE CLASS...\n");
    return 2;
  }
  const DelayExecution delay = LoadDelay();
  if (!delay) return 1;
  Poller poller(std::vector<const char*>(argv + 2, argv + argc));
  Seen last = poller.look();
  poller.print(last);
  int polls = 1;
  int late = 0;
  double longest = 0;
  double before = poller.elapsedMs();
  for (double due = before + kPollIntervalMs;; ++polls) {
    // Waits only for what is left of the interval: the calls of a poll take a good part of it.
    const double left = due - poller.elapsedMs();
    if (left > 0) {
      // In 100 ns units, negative for a wait relative to now.
      const LARGE_INTEGER wait{.QuadPart = -static_cast<LONGLONG>(left * 10000)};
      delay(FALSE, &wait);
    }
    const Seen seen = poller.look();
    const double now = poller.elapsedMs();
    late += now - before > kLateMs;
    longest = std::max(longest, now - before);
    before = now;
    // After a stall the polls go on from now rather than catching up in a burst.
    due = std::max(due + kPollIntervalMs, now);
    if (!(seen == last)) {
      poller.print(seen);
      last = seen;
    }
    if (polls % kPollsPerStopCheck == 0 && GetFileAttributesA(argv[1]) != INVALID_FILE_ATTRIBUTES) {
      break;
    }
  }
  // The closing line tells how close to the intended interval the polls came: their number,
  // the milliseconds they took, how many came later than kLateMs after the one before, and the
  // longest such gap.
  std::printf("polls\t%d\t%.3f\t%d\t%.3f\n", polls, poller.elapsedMs(), late, longest);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
