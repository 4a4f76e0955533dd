// Work run aside on a thread of its own, with COM ready there, while the window's thread handles
// its messages as the main loop does.
#pragma once

#include <vector>

#include "platform/Worker.h"

namespace qm {

class Win32Worker : public Worker {
 public:
  struct Job;

  void runAside(const std::function<void()>& work) override;
  std::optional<WorkProgress> progress() const override;

 private:
  std::vector<const Job*> running_;  // the innermost last
};

}  // namespace qm
