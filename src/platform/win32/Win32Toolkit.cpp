#include "platform/win32/Win32Toolkit.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>

#include "platform/AppIdentity.h"
#include "platform/Dpi.h"
#include "platform/Menu.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Text.h"

namespace qm {
namespace {

constexpr const wchar_t* kOwnerClass = L"QuillmartenOwner";
constexpr int kAppIconId = 1;

}  // namespace

COLORREF toColorRef(Color color) {
  return isSystemColor(color) ? GetSysColor(static_cast<int>(systemColorIndex(color)))
                              : static_cast<COLORREF>(color);
}

Win32Toolkit::Win32Toolkit(HINSTANCE instance, const char* title) : instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  appIcon_ = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconId));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");

  WNDCLASSEXW ownerClass{};
  ownerClass.cbSize = sizeof(ownerClass);
  ownerClass.lpfnWndProc = ownerProc;
  ownerClass.hInstance = instance;
  ownerClass.hIcon = appIcon_;
  ownerClass.lpszClassName = kOwnerClass;
  RegisterClassExW(&ownerClass);
  owner_ = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, widen(title).c_str(), WS_POPUP, 0, 0, 0,
                           0, nullptr, nullptr, instance, this);
  if (!owner_) throw std::runtime_error("CreateWindowEx failed for the owner window");
}

Win32Toolkit::~Win32Toolkit() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (owner_) DestroyWindow(owner_);
}

LRESULT CALLBACK Win32Toolkit::ownerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->tray_) {
    if (message == TrayIconPeer::kCallbackMessage) {
      if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU) {
        self->tray_->showMenu();
      }
      return 0;
    }
    if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
      self->tray_->taskbarCreated();
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::unique_ptr<WindowPeer> Win32Toolkit::createPeer(Window& window) {
  return std::make_unique<Win32WindowPeer>(*this, window);
}

std::unique_ptr<Peer> Win32Toolkit::createPeer(Control& control) {
  return std::make_unique<Win32ControlPeer>(*this, control);
}

std::unique_ptr<Peer> Win32Toolkit::createPeer(MenuItem& item) {
  return std::make_unique<Win32MenuPeer>(*this, item);
}

std::unique_ptr<Peer> Win32Toolkit::createPeer(Timer& timer) {
  return std::make_unique<Win32TimerPeer>(*this, timer);
}

std::unique_ptr<Peer> Win32Toolkit::createPeer(TrayIcon& icon) {
  return std::make_unique<TrayIconPeer>(*this, icon);
}

HWND Win32Toolkit::handleOf(const void* object) const {
  const auto found = handles_.find(object);
  return found == handles_.end() ? nullptr : found->second;
}

HMENU Win32Toolkit::menuOf(const MenuItem* item) const {
  const auto found = menus_.find(item);
  return found == menus_.end() ? nullptr : found->second;
}

UINT Win32Toolkit::addMenuCommand(MenuItem& item) {
  const UINT id = nextMenuCommand_++;
  menuCommands_[id] = &item;
  return id;
}

void Win32Toolkit::runMenuCommand(UINT id) {
  const auto found = menuCommands_.find(id);
  if (found == menuCommands_.end() || !found->second->onClick) return;
  guarded(found->second->onClick);
}

void Win32Toolkit::guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    MessageBoxW(owner_, widen(error.what()).c_str(), widen(kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(owner_, L"Unknown exception", widen(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
  }
}

HFONT Win32Toolkit::font(const Font& wanted, const Font& inherited, int dpi) {
  const std::string& face = wanted.face.empty() ? inherited.face : wanted.face;
  const auto key = std::make_tuple(face, wanted.pointSize, wanted.pixelHeight, wanted.bold, dpi);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  constexpr int kPointsPerInch = 72;
  const int height = wanted.pixelHeight != 0 ? -scale(wanted.pixelHeight, dpi)
                                             : -MulDiv(wanted.pointSize, dpi, kPointsPerInch);
  HFONT created = CreateFontW(height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                              FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, widen(face).c_str());
  fonts_[key] = created;
  return created;
}

void Win32Toolkit::runMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) handleMessage(message);
}

}  // namespace qm
