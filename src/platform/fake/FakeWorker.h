// Runs the work on the caller's thread, and first what a test puts in `duringWork`: whatever the
// window's thread would do while the work ran aside (ticks, a second drop, the tray menu).
#pragma once

#include <functional>
#include <optional>

#include "platform/Worker.h"

namespace qm {

class FakeWorker : public Worker {
 public:
  void runAside(const std::function<void()>& work) override {
    ++runs;
    const std::optional<WorkProgress> outer = running_;
    running_ = WorkProgress{};
    if (duringWork) duringWork();
    try {
      work();
    } catch (...) {
      running_ = outer;
      throw;
    }
    running_ = outer;
  }
  std::optional<WorkProgress> progress() const override { return running_; }

  // What the work running now has done, for `duringWork` to move on.
  void advance(std::uint64_t done, std::optional<std::uint64_t> total) {
    if (running_) running_ = WorkProgress{done, total};
  }

  std::function<void()> duringWork;
  int runs = 0;

 private:
  std::optional<WorkProgress> running_;
};

}  // namespace qm
