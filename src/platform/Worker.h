// A save's byte work (taking a virtual file's bytes, copying, decoding and encoding) runs on a
// thread of its own, so that a large file or a slow folder never holds the program's windows:
// while it runs, the window's thread goes on answering, its ticks, its painting and the tray menu
// included, as it does inside a modal box.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace qm {

// How far the byte work has gone: bytes done, of how many when that is known.
struct WorkProgress {
  std::uint64_t done = 0;
  std::optional<std::uint64_t> total;
};

class Worker {
 public:
  virtual ~Worker() = default;
  // Runs `work` aside and returns once it is done, passing on what it threw. Work may be run
  // aside from within the loop of another: each call waits only for its own.
  virtual void runAside(const std::function<void()>& work) = 0;
  // How far the latest work still running aside has gone; none while nothing runs aside.
  virtual std::optional<WorkProgress> progress() const = 0;
};

}  // namespace qm
