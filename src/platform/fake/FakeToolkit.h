// A toolkit whose peers only count what reaches them, so tests can see that an unchanged
// property causes no update and which window actions were performed.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Dpi.h"
#include "platform/Geometry.h"
#include "platform/Toolkit.h"

namespace qm {

class FakeToolkit : public Toolkit {
 public:
  std::unique_ptr<WindowPeer> createPeer(Window& window) override;
  std::unique_ptr<Peer> createPeer(Control& control) override;
  std::unique_ptr<Peer> createPeer(MenuItem& item) override;
  std::unique_ptr<Peer> createPeer(Timer& timer) override;
  std::unique_ptr<Peer> createPeer(TrayIcon& icon) override;

  // Updates of `prop` that reached the peer of `object` (a window, control, menu item...).
  int updates(const void* object, Prop prop) const;
  int updates(const void* object) const;
  // Actions performed on a window, in order.
  std::vector<WindowAction> actions(const Window& window) const;
  int count(const Window& window, WindowAction action) const;
  // Runs the work windows posted, as their message loop would, until none is left; returns how
  // many ran.
  int runPosted();
  // Windows in the order they were created.
  const std::vector<Window*>& windows() const { return windows_; }

  // The screen density that windows made from now on are told they are shown at.
  int dpi = kDesignDpi;
  // When set, the density of the screen under a window's bounds, which the window is told after
  // every move, as Windows tells a window that has moved onto a screen of another density.
  std::function<int(const Bounds&)> dpiAt;

 private:
  friend class FakePeer;
  std::map<const void*, std::map<Prop, int>> updates_;
  std::map<const void*, std::vector<WindowAction>> actions_;
  std::vector<Window*> windows_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace qm
