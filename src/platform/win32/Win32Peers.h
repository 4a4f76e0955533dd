// The peers behind the model objects under Windows.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/Peer.h"

namespace qm {

// Window properties: the mark of a handle whose GWLP_USERDATA holds a control peer, and the
// tooltip window of a top-level window.
inline constexpr const wchar_t* kControlPeerProp = L"QuillmartenControl";
inline constexpr const wchar_t* kTooltipProp = L"QuillmartenTooltip";

class Control;
class MenuItem;
class Timer;
class TrayIcon;
class Widget;
class Win32Toolkit;
class Window;

class Win32DropTarget;

// The tooltip window that shows the hints of a top-level window's controls, made when the
// first hint is given: a window without hints has no tooltip, which the system would otherwise
// move along with it at every showing.
HWND tooltipOf(HWND window);

class Win32WindowPeer : public WindowPeer {
 public:
  // Posted to a window to run the work queued with post().
  static constexpr UINT kRunPostedMessage = WM_APP + 2;

  Win32WindowPeer(Win32Toolkit& toolkit, Window& window);
  ~Win32WindowPeer() override;
  void apply(Prop changed) override;
  void perform(WindowAction action) override;
  void post(std::function<void()> work) override;

  HWND hwnd() const { return hwnd_; }
  void addTimer(UINT_PTR id, Timer& timer) { timers_[id] = &timer; }
  void removeTimer(UINT_PTR id) { timers_.erase(id); }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void applyBounds();
  void applyFontToChildren();
  void registerDropTarget();
  void revokeDropTarget();
  void runPosted();

  Win32Toolkit& toolkit_;
  Window& window_;
  HWND hwnd_ = nullptr;
  Win32DropTarget* dropTarget_ = nullptr;  // registered with OLE while the handle lives
  std::deque<std::function<void()>> posted_;
  bool placed_ = false;  // a dialog is centred the first time it is shown
  std::unordered_map<UINT_PTR, Timer*> timers_;
};

class Win32ControlPeer : public Peer {
 public:
  Win32ControlPeer(Win32Toolkit& toolkit, Control& control);
  ~Win32ControlPeer() override;
  void apply(Prop changed) override;

  // A notification (WM_COMMAND) from this control's handle.
  void notified(WORD code, WORD id);
  // Painting of the controls drawn by the program: panels and labels.
  void paint(HDC dc);
  Control& control() const { return control_; }
  Win32Toolkit& toolkit() const { return toolkit_; }

 private:
  void create();
  void applyBounds();
  void applyFont();
  void applyItems();
  void applyItemIndex();
  void applyHint();

  Win32Toolkit& toolkit_;
  Control& control_;
  HWND hwnd_ = nullptr;
  std::vector<HWND> radioButtons_;
};

// The peer behind a control's handle, or null for a handle that is not one of ours.
Win32ControlPeer* controlPeerOf(HWND hwnd);

// Routes WM_COMMAND and colour requests from child controls to their peers; shared by the
// windows and the panels that hold controls.
bool routeChildMessage(Win32Toolkit& toolkit, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result);

class Win32MenuPeer : public Peer {
 public:
  Win32MenuPeer(Win32Toolkit& toolkit, MenuItem& item);
  ~Win32MenuPeer() override;
  void apply(Prop changed) override;
  HMENU menu() const { return menu_; }

 private:
  Win32Toolkit& toolkit_;
  MenuItem& item_;
  HMENU menu_ = nullptr;  // the popup this item opens, if it opens one
  UINT command_ = 0;
};

class Win32TimerPeer : public Peer {
 public:
  Win32TimerPeer(Win32Toolkit& toolkit, Timer& timer);
  ~Win32TimerPeer() override;
  void apply(Prop changed) override;

 private:
  Win32Toolkit& toolkit_;
  Timer& timer_;
  UINT_PTR id_;
  bool running_ = false;
};

class TrayIconPeer : public Peer {
 public:
  static constexpr UINT kCallbackMessage = WM_APP + 1;

  TrayIconPeer(Win32Toolkit& toolkit, TrayIcon& icon);
  ~TrayIconPeer() override;
  void apply(Prop changed) override;
  // The taskbar was created anew (explorer restarted): the icon has to be added again.
  void taskbarCreated();
  void showMenu();

 private:
  bool notify(DWORD action);

  Win32Toolkit& toolkit_;
  TrayIcon& icon_;
  bool added_ = false;
};

}  // namespace qm
