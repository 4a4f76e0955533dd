// The Windows implementation of the toolkit: real windows, controls, menus, timers and the tray
// icon, all on the one user-interface thread, through the wide functions.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

#include "platform/Toolkit.h"
#include "platform/Widget.h"

namespace qm {

class MenuItem;
class TrayIconPeer;

class Win32Toolkit : public Toolkit {
 public:
  // Creates the hidden owner window: a tool window titled `title` that owns every window of the
  // program, so that none of them gets a taskbar button or a place in the task switcher.
  Win32Toolkit(HINSTANCE instance, const char* title);
  ~Win32Toolkit() override;

  std::unique_ptr<WindowPeer> createPeer(Window& window) override;
  std::unique_ptr<Peer> createPeer(Control& control) override;
  std::unique_ptr<Peer> createPeer(MenuItem& item) override;
  std::unique_ptr<Peer> createPeer(Timer& timer) override;
  std::unique_ptr<Peer> createPeer(TrayIcon& icon) override;

  // Runs the message loop until a window asks to end the program.
  void runMessageLoop();

  HINSTANCE instance() const { return instance_; }
  HWND owner() const { return owner_; }
  HICON appIcon() const { return appIcon_; }
  // The font for a window at `dpi`: the point size and the 96-DPI pixel height are scaled to it.
  HFONT font(const Font& wanted, const Font& inherited, int dpi);

  // Where windows and controls find each other's handles.
  void registerHandle(const void* object, HWND hwnd) { handles_[object] = hwnd; }
  void forgetHandle(const void* object) { handles_.erase(object); }
  HWND handleOf(const void* object) const;

  // The popup menu that a menu item opens (the root item, or a submenu).
  void registerMenu(const MenuItem* item, HMENU menu) { menus_[item] = menu; }
  void forgetMenu(const MenuItem* item) { menus_.erase(item); }
  HMENU menuOf(const MenuItem* item) const;

  // Menu commands are numbered here so that a chosen command finds its item.
  UINT addMenuCommand(MenuItem& item);
  void forgetMenuCommand(UINT id) { menuCommands_.erase(id); }
  void runMenuCommand(UINT id);
  void setTrayIcon(TrayIconPeer* peer) { tray_ = peer; }

  // Runs a handler of the program; an exception that escapes it is shown to the user and the
  // message loop goes on.
  void guarded(const std::function<void()>& handler);

 private:
  static LRESULT CALLBACK ownerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  HWND owner_ = nullptr;
  HICON appIcon_ = nullptr;
  UINT taskbarCreated_ = 0;
  TrayIconPeer* tray_ = nullptr;
  UINT nextMenuCommand_ = 1000;
  std::unordered_map<UINT, MenuItem*> menuCommands_;
  std::unordered_map<const void*, HWND> handles_;
  std::unordered_map<const MenuItem*, HMENU> menus_;
  std::map<std::tuple<std::string, int, int, bool, int>, HFONT> fonts_;
};

// GetSysColor for system colours, the colour itself otherwise.
COLORREF toColorRef(Color color);

}  // namespace qm
