#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "platform/Control.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32DropMoments.h"
#include "platform/win32/Win32DropTarget.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {
namespace {

struct StyleBits {
  DWORD style;
  DWORD exStyle;
};

StyleBits stylesOf(WindowStyle style) {
  switch (style) {
    case WindowStyle::DropTarget:
      return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST | WS_EX_TOOLWINDOW};
    case WindowStyle::Notice:
      return {WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE};
    case WindowStyle::Dialog:
      break;
  }
  return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
          WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
}

// Every window of the program gets a class named after it, so that it can be found from outside.
void registerClassFor(Win32Toolkit& toolkit, const std::string& name, WNDPROC proc) {
  const std::wstring className = widen(name);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(toolkit.instance(), className.c_str(), &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = toolkit.instance();
  windowClass.hIcon = toolkit.appIcon();
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className.c_str();
  RegisterClassExW(&windowClass);
}

class DroppedFileList : public DroppedFiles {
 public:
  explicit DroppedFileList(HDROP drop) : drop_(drop) {}
  ~DroppedFileList() override { finish(); }
  EncodedText firstPath() override {
    wchar_t path[MAX_PATH] = {};
    SetLastError(ERROR_SUCCESS);
    const bool read = drop_ && DragQueryFileW(drop_, 0, path, MAX_PATH) != 0;
    if (!read) readError_ = GetLastError();
    markDropMoment(DropMoment::Taken);
    return read ? heldText(path) : EncodedText();
  }
  std::uint32_t readError() const override { return readError_; }
  void finish() override {
    if (drop_) DragFinish(drop_);
    drop_ = nullptr;
  }

 private:
  HDROP drop_;
  std::uint32_t readError_ = ERROR_SUCCESS;
};

}  // namespace

Win32WindowPeer::Win32WindowPeer(Win32Toolkit& toolkit, Window& window)
    : toolkit_(toolkit), window_(window) {
  registerClassFor(toolkit, window.name(), windowProc);
  const StyleBits bits = stylesOf(window.style());
  hwnd_ = CreateWindowExW(bits.exStyle, widen(window.name()).c_str(),
                          wideOf(window.captionText()).c_str(), bits.style, 0, 0, 0, 0,
                          toolkit.owner(), nullptr, toolkit.instance(), this);
  toolkit.registerHandle(&window, hwnd_);
  window.takeDpi(windowDpi(hwnd_));
}

HWND tooltipOf(HWND window) {
  if (HANDLE made = GetPropW(window, kTooltipProp)) return static_cast<HWND>(made);
  HWND tooltip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
      nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
  if (tooltip) SetPropW(window, kTooltipProp, tooltip);
  return tooltip;
}

Win32WindowPeer::~Win32WindowPeer() {
  revokeDropTarget();
  toolkit_.forgetHandle(&window_);
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32WindowPeer::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32WindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT Win32WindowPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT routed = 0;
  if (routeChildMessage(toolkit_, message, wParam, lParam, routed)) return routed;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      HBRUSH brush = CreateSolidBrush(toColorRef(window_.color()));
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_TIMER: {
      const auto found = timers_.find(wParam);
      if (found == timers_.end()) return 0;
      markTick(found->second->interval());
      if (found->second->onTimer) toolkit_.guarded(found->second->onTimer);
      return 0;
    }
    case WM_DROPFILES: {
      markDropMoment(DropMoment::Reached);
      DroppedFileList files(reinterpret_cast<HDROP>(wParam));
      if (window_.onDropFiles) toolkit_.guarded([&] { window_.onDropFiles(files); });
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) break;
      [[fallthrough]];
    case WM_CLOSE:
      toolkit_.guarded([this] {
        if (window_.style() == WindowStyle::DropTarget) {
          window_.close();
        } else if (window_.onCloseCommand) {
          window_.onCloseCommand();
        } else {
          window_.setVisible(false);
        }
      });
      return 0;
    case WM_DPICHANGED:
      // The window has moved to a screen of another density: new fonts, and the window lays
      // itself out again at its own size rather than the one the system suggests.
      toolkit_.guarded([this, wParam] {
        window_.takeDpi(LOWORD(wParam));
        applyFontToChildren();
      });
      return 0;
    case kRunPostedMessage:
      runPosted();
      return 0;
    case WM_DESTROY:
      revokeDropTarget();
      if (window_.style() == WindowStyle::DropTarget) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      // Timers and controls that outlive the handle must not reach it any more.
      HWND destroyed = hwnd_;
      toolkit_.forgetHandle(&window_);
      hwnd_ = nullptr;
      return DefWindowProcW(destroyed, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32WindowPeer::applyBounds() {
  const Bounds& b = window_.bounds();
  RECT frame{0, 0, b.width, b.height};
  adjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)), window_.dpi());
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (window_.style() == WindowStyle::Dialog) {
    // Dialogs open centred on the screen; after that the user may move them.
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  SetWindowPos(hwnd_, nullptr, b.left, b.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  // The density of the screen it has moved onto, whether or not the system sends WM_DPICHANGED
  // to a window that is still hidden.
  window_.takeDpi(windowDpi(hwnd_));
}

void Win32WindowPeer::applyFontToChildren() {
  EnumChildWindows(
      hwnd_,
      [](HWND child, LPARAM) -> BOOL {
        if (Win32ControlPeer* peer = controlPeerOf(child)) peer->apply(Prop::Font);
        return TRUE;
      },
      0);
}

void Win32WindowPeer::apply(Prop changed) {
  switch (changed) {
    case Prop::Caption:
      SetWindowTextW(hwnd_, wideOf(window_.captionText()).c_str());
      break;
    case Prop::Visible:
      if (!window_.visible()) {
        ShowWindow(hwnd_, SW_HIDE);
      } else if (window_.style() == WindowStyle::Dialog) {
        if (!placed_) {
          RECT frame;
          GetWindowRect(hwnd_, &frame);
          const int width = frame.right - frame.left;
          const int height = frame.bottom - frame.top;
          SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                       (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
          placed_ = true;
        }
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
      } else {
        // Registered at the first showing, not at start: registering makes the target
        // reachable from other processes, which brings in the RPC runtime and its server
        // thread, and a program that is never dragged onto has no use for them. Before the
        // window is up, as a dragging program looks for the target only when the pointer
        // comes onto another window.
        if (window_.style() == WindowStyle::DropTarget && !dropTarget_) registerDropTarget();
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        if (window_.style() == WindowStyle::Notice) markDropMoment(DropMoment::Noticed);
      }
      break;
    case Prop::Bounds:
      applyBounds();
      break;
    case Prop::Color:
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::Font:
      applyFontToChildren();
      break;
    case Prop::Enabled:
      EnableWindow(hwnd_, window_.enabled());
      break;
    default:
      break;
  }
}

void Win32WindowPeer::registerDropTarget() {
  // Without OLE the window still takes file drops through WM_DROPFILES.
  auto* target = new Win32DropTarget(toolkit_, window_);
  if (RegisterDragDrop(hwnd_, target) == S_OK) {
    dropTarget_ = target;
  } else {
    target->Release();
  }
}

void Win32WindowPeer::revokeDropTarget() {
  if (!dropTarget_) return;
  RevokeDragDrop(hwnd_);
  dropTarget_->Release();
  dropTarget_ = nullptr;
}

void Win32WindowPeer::post(std::function<void()> work) {
  posted_.push_back(std::move(work));
  PostMessageW(hwnd_, kRunPostedMessage, 0, 0);
}

void Win32WindowPeer::runPosted() {
  // One piece per message: a piece that opens a box runs the loop, which may bring the next.
  if (posted_.empty()) return;
  std::function<void()> work = std::move(posted_.front());
  posted_.pop_front();
  toolkit_.guarded(work);
}

void Win32WindowPeer::perform(WindowAction action) {
  switch (action) {
    case WindowAction::BringToFront:
      SetForegroundWindow(hwnd_);
      break;
    case WindowAction::BringToFrontTopmost:
      SetForegroundWindow(hwnd_);
      SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
      break;
    case WindowAction::AcceptDroppedFiles:
      DragAcceptFiles(hwnd_, TRUE);
      break;
    case WindowAction::Close:
      DestroyWindow(hwnd_);
      break;
  }
}

}  // namespace qm
