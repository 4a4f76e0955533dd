#include "platform/Menu.h"

#include "platform/Toolkit.h"

namespace qm {

MenuItem::MenuItem(Toolkit& toolkit, MenuItemKind kind, MenuItem* parent, std::string name,
                   std::string caption)
    : kind_(kind), parent_(parent), name_(std::move(name)), caption_(std::move(caption)) {
  if (parent_) parent_->items_.push_back(this);
  peer_ = toolkit.createPeer(*this);
}

void MenuItem::assign(bool& field, bool value, Prop prop) {
  if (field == value) return;
  field = value;
  peer_->apply(prop);
}

}  // namespace qm
