// A window timer: its ticks arrive through the message loop, nested modal loops included.
#pragma once

#include <functional>
#include <memory>

#include "platform/Peer.h"

namespace qm {

class Toolkit;
class Window;

class Timer {
 public:
  Timer(Toolkit& toolkit, Window& window, int intervalMs);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  Window& window() const { return window_; }
  int interval() const { return interval_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);

  std::function<void()> onTimer;

 private:
  Window& window_;
  int interval_;
  bool enabled_ = false;
  std::unique_ptr<Peer> peer_;
};

}  // namespace qm
