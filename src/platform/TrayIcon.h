// The program's icon in the notification area, with its popup menu on a right click.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Peer.h"

namespace qm {

class MenuItem;
class Toolkit;

class TrayIcon {
 public:
  TrayIcon(Toolkit& toolkit, MenuItem& popupMenu, std::string tip);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  MenuItem& popupMenu() const { return popupMenu_; }
  const std::string& tip() const { return tip_; }
  bool visible() const { return visible_; }
  void setVisible(bool v);

  // Runs just before the menu opens, to bring marks that follow the system up to date.
  std::function<void()> onMenuOpening;

 private:
  MenuItem& popupMenu_;
  std::string tip_;
  bool visible_ = false;
  std::unique_ptr<Peer> peer_;
};

}  // namespace qm
