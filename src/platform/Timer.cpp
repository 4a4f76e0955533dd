#include "platform/Timer.h"

#include "platform/Toolkit.h"

namespace qm {

Timer::Timer(Toolkit& toolkit, Window& window, int intervalMs)
    : window_(window), interval_(intervalMs) {
  peer_ = toolkit.createPeer(*this);
}

void Timer::setEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  peer_->apply(Prop::Enabled);
}

}  // namespace qm
