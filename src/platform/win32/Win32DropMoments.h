// The moments of a drop, written to the system's debug output with the performance counter's
// time, so that a debug monitor (the benchmarks' own) can split the time from the release to the
// saved notice into its parts. The user sees nothing; without a monitor nothing is kept.
#pragma once

namespace qm {

enum class DropMoment {
  Reached,  // the drop has come to the window: Drop or WM_DROPFILES begins
  Taken,    // what was dropped is ours: a file's path, or a virtual file's bytes parked
  Copying,  // the copy to the folder begins
  Copied,   // and has ended, however it went
  Noticed,  // the saved notice has been shown
};

void markDropMoment(DropMoment moment);

// Marks Copying now and Copied when it goes out of scope.
class TimedCopy {
 public:
  TimedCopy() { markDropMoment(DropMoment::Copying); }
  ~TimedCopy() { markDropMoment(DropMoment::Copied); }
  TimedCopy(const TimedCopy&) = delete;
  TimedCopy& operator=(const TimedCopy&) = delete;
};

}  // namespace qm
