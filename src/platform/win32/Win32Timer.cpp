#include "platform/Timer.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {
namespace {

Win32WindowPeer* windowPeerOf(HWND window) {
  return reinterpret_cast<Win32WindowPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

Win32TimerPeer::Win32TimerPeer(Win32Toolkit& toolkit, Timer& timer)
    : toolkit_(toolkit), timer_(timer), id_(reinterpret_cast<UINT_PTR>(&timer)) {}

Win32TimerPeer::~Win32TimerPeer() {
  HWND window = toolkit_.handleOf(&timer_.window());
  if (!running_ || !window) return;
  KillTimer(window, id_);
  if (Win32WindowPeer* peer = windowPeerOf(window)) peer->removeTimer(id_);
}

void Win32TimerPeer::apply(Prop changed) {
  if (changed != Prop::Enabled) return;
  HWND window = toolkit_.handleOf(&timer_.window());
  if (!window) return;
  const bool wanted = timer_.enabled();
  if (wanted && !running_) {
    windowPeerOf(window)->addTimer(id_, timer_);
    running_ = SetTimer(window, id_, static_cast<UINT>(timer_.interval()), nullptr) != 0;
  } else if (!wanted && running_) {
    KillTimer(window, id_);
    windowPeerOf(window)->removeTimer(id_);
    running_ = false;
  }
}

}  // namespace qm
