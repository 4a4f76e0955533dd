// The moments of a drop, written to the system's debug output with the performance counter's
// time, so that a debug monitor (the benchmarks' own) can split the time from the release to the
// saved notice into its parts. The user sees nothing; without a monitor nothing is kept.
#pragma once

namespace qm {

enum class DropMoment {
  Reached,     // the drop has come to the window: Drop or WM_DROPFILES begins
  Taken,       // what was dropped is ours: a file's path, or a virtual file's bytes parked
  Converting,  // a picture's conversion to the save format begins
  Decoded,     // its pixels are decoded; the encoding begins
  Converted,   // the converted file is parked, or the conversion has failed
  Copying,     // the copy to the folder begins
  Copied,      // and has ended, however it went
  Noticed,     // the saved notice has been shown
};

void markDropMoment(DropMoment moment);

// A tick of a window timer that runs every `intervalMs`: the gaps between them tell how long the
// window's thread was held. Ticks come many times a second for the program's whole life, so they
// are written only while a debug monitor listens, which is looked for once a second; otherwise a
// tick makes no call to the system.
void markTick(int intervalMs);

// Marks Copying now and Copied when it goes out of scope.
class TimedCopy {
 public:
  TimedCopy() { markDropMoment(DropMoment::Copying); }
  ~TimedCopy() { markDropMoment(DropMoment::Copied); }
  TimedCopy(const TimedCopy&) = delete;
  TimedCopy& operator=(const TimedCopy&) = delete;
};

// Marks Converting now and Converted when it goes out of scope.
class TimedConversion {
 public:
  TimedConversion() { markDropMoment(DropMoment::Converting); }
  ~TimedConversion() { markDropMoment(DropMoment::Converted); }
  TimedConversion(const TimedConversion&) = delete;
  TimedConversion& operator=(const TimedConversion&) = delete;
};

}  // namespace qm
