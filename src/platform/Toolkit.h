// Makes the platform object behind each window, control, menu item, timer and tray icon.
#pragma once

#include <memory>

#include "platform/Peer.h"

namespace qm {

class Control;
class MenuItem;
class Timer;
class TrayIcon;
class Window;

class Toolkit {
 public:
  virtual ~Toolkit() = default;
  virtual std::unique_ptr<WindowPeer> createPeer(Window& window) = 0;
  virtual std::unique_ptr<Peer> createPeer(Control& control) = 0;
  virtual std::unique_ptr<Peer> createPeer(MenuItem& item) = 0;
  virtual std::unique_ptr<Peer> createPeer(Timer& timer) = 0;
  virtual std::unique_ptr<Peer> createPeer(TrayIcon& icon) = 0;
};

}  // namespace qm
