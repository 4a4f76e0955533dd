#include "platform/Menu.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {
namespace {

UINT positionIn(const MenuItem& item) {
  const auto& siblings = item.parent()->items();
  for (UINT i = 0; i < siblings.size(); ++i) {
    if (siblings[i] == &item) return i;
  }
  return 0;
}

}  // namespace

Win32MenuPeer::Win32MenuPeer(Win32Toolkit& toolkit, MenuItem& item)
    : toolkit_(toolkit), item_(item) {
  if (item.kind() == MenuItemKind::Popup || item.kind() == MenuItemKind::Submenu) {
    menu_ = CreatePopupMenu();
    toolkit.registerMenu(&item, menu_);
  }
  if (!item.parent()) return;
  HMENU parent = toolkit.menuOf(item.parent());
  if (menu_) {
    AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu_),
                item.caption().c_str());
  } else if (item.kind() == MenuItemKind::Separator) {
    AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
  } else {
    command_ = toolkit.addMenuCommand(item);
    AppendMenuA(parent, MF_STRING, command_, item.caption().c_str());
  }
}

Win32MenuPeer::~Win32MenuPeer() {
  if (command_ != 0) toolkit_.forgetMenuCommand(command_);
  toolkit_.forgetMenu(&item_);
  // A submenu is destroyed with the menu that holds it.
  if (menu_ && !item_.parent()) DestroyMenu(menu_);
}

void Win32MenuPeer::apply(Prop changed) {
  if (!item_.parent()) return;
  HMENU parent = toolkit_.menuOf(item_.parent());
  const UINT position = positionIn(item_);
  if (changed == Prop::Checked) {
    CheckMenuItem(parent, position, MF_BYPOSITION | (item_.checked() ? MF_CHECKED : MF_UNCHECKED));
  } else if (changed == Prop::Enabled) {
    EnableMenuItem(parent, position, MF_BYPOSITION | (item_.enabled() ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace qm
