#include "platform/Control.h"

#include "platform/Toolkit.h"

namespace qm {

Control::Control(Toolkit& toolkit, ControlKind kind, Window& window, Control* parent,
                 std::string name)
    : Widget(std::move(name)), kind_(kind), window_(window), parent_(parent) {
  peer_ = toolkit.createPeer(*this);
}

void Control::setChecked(bool v) {
  setCheckedFrom(v, true);
}

void Control::setCheckedFrom(bool v, bool toPeer) {
  if (checked_ == v) return;
  checked_ = v;
  if (toPeer) peer_->apply(Prop::Checked);
  if (onClick) onClick();
}

std::vector<EncodedText> Control::itemTexts() const {
  std::vector<EncodedText> texts;
  for (std::size_t i = 0; i < items_.size(); ++i) texts.push_back({items_[i], itemEncodings_[i]});
  return texts;
}

void Control::setItems(const std::vector<EncodedText>& v) {
  if (v == itemTexts()) return;
  items_.clear();
  itemEncodings_.clear();
  for (const EncodedText& item : v) {
    items_.push_back(item.bytes);
    itemEncodings_.push_back(item.encoding);
  }
  if (peer_) peer_->apply(Prop::Items);
}

void Control::setItemIndex(int v) {
  if (assign(itemIndex_, v, Prop::ItemIndex) && kind_ == ControlKind::RadioGroup && onClick) {
    onClick();
  }
}

void Control::takeUserItemIndex(int v) {
  const bool changed = itemIndex_ != v;
  itemIndex_ = v;
  // A list box reports every click, a radio group only a change.
  if ((changed || kind_ == ControlKind::ListBox) && onClick) onClick();
}

}  // namespace qm
