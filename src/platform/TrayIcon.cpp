#include "platform/TrayIcon.h"

#include "platform/Toolkit.h"

namespace qm {

TrayIcon::TrayIcon(Toolkit& toolkit, MenuItem& popupMenu, std::string tip)
    : popupMenu_(popupMenu), tip_(std::move(tip)) {
  peer_ = toolkit.createPeer(*this);
}

void TrayIcon::setVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  peer_->apply(Prop::Visible);
}

}  // namespace qm
