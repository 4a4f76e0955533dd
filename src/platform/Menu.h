// Items of a popup menu. The root item is the menu itself; a submenu holds its own items.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Peer.h"

namespace qm {

class Toolkit;

enum class MenuItemKind { Popup, Submenu, Command, CheckItem, Separator };

class MenuItem {
 public:
  // Items are added to `parent` in the order they are constructed.
  MenuItem(Toolkit& toolkit, MenuItemKind kind, MenuItem* parent, std::string name,
           std::string caption);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  MenuItemKind kind() const { return kind_; }
  MenuItem* parent() const { return parent_; }
  const std::vector<MenuItem*>& items() const { return items_; }
  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }

  bool checked() const { return checked_; }
  void setChecked(bool v) { assign(checked_, v, Prop::Checked); }
  bool enabled() const { return enabled_; }
  void setEnabled(bool v) { assign(enabled_, v, Prop::Enabled); }

  std::function<void()> onClick;

 private:
  void assign(bool& field, bool value, Prop prop);

  MenuItemKind kind_;
  MenuItem* parent_;
  std::vector<MenuItem*> items_;
  std::string name_;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  std::unique_ptr<Peer> peer_;
};

}  // namespace qm
