#include <windows.h>

#include <shellapi.h>

#include <iterator>

#include "platform/Menu.h"
#include "platform/TrayIcon.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {

TrayIconPeer::TrayIconPeer(Win32Toolkit& toolkit, TrayIcon& icon) : toolkit_(toolkit), icon_(icon) {
  toolkit.setTrayIcon(this);
}

TrayIconPeer::~TrayIconPeer() {
  if (added_) notify(NIM_DELETE);
  toolkit_.setTrayIcon(nullptr);
}

bool TrayIconPeer::notify(DWORD action) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = toolkit_.owner();
  data.uID = 1;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = toolkit_.appIcon();
  widen(icon_.tip()).copy(data.szTip, std::size(data.szTip) - 1);
  return Shell_NotifyIconW(action, &data) != FALSE;
}

void TrayIconPeer::apply(Prop changed) {
  if (changed != Prop::Visible) return;
  if (icon_.visible() && !added_) {
    added_ = notify(NIM_ADD);
  } else if (!icon_.visible() && added_) {
    notify(NIM_DELETE);
    added_ = false;
  }
}

void TrayIconPeer::taskbarCreated() {
  if (icon_.visible()) added_ = notify(NIM_ADD);
}

void TrayIconPeer::showMenu() {
  if (icon_.onMenuOpening) toolkit_.guarded(icon_.onMenuOpening);
  POINT at;
  GetCursorPos(&at);
  HWND owner = toolkit_.owner();
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      toolkit_.menuOf(&icon_.popupMenu()), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
      at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen != 0) toolkit_.runMenuCommand(chosen);
}

}  // namespace qm
