#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "platform/Control.h"
#include "platform/Dpi.h"
#include "platform/Window.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Toolkit.h"

namespace qm {
namespace {

// Panels and labels are drawn by the program: their colours, bevels and caption sizes change
// while the drop window is on screen.
constexpr const wchar_t* kDrawnClass = L"QuillmartenPanel";
constexpr int kRadioIdBase = 100;

// A radio group is a drawn frame that holds its buttons: Wine's hit testing does not look through
// a standard group box to the buttons beside it.
bool isDrawn(ControlKind kind) {
  return kind == ControlKind::Panel || kind == ControlKind::Label ||
         kind == ControlKind::RadioGroup;
}

LRESULT CALLBACK drawnProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32ControlPeer* peer = controlPeerOf(hwnd);
  switch (message) {
    case WM_NCHITTEST:
      // The window underneath takes the pointer and the dropped files.
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (peer) peer->paint(dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      break;
  }
  if (peer) {
    LRESULT routed = 0;
    // A panel that holds controls passes their notifications on.
    if (routeChildMessage(peer->toolkit(), message, wParam, lParam, routed)) {
      return routed;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void registerDrawnClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kDrawnClass, &existing)) return;
  WNDCLASSEXW drawn{};
  drawn.cbSize = sizeof(drawn);
  drawn.lpfnWndProc = drawnProc;
  drawn.hInstance = instance;
  drawn.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  drawn.lpszClassName = kDrawnClass;
  RegisterClassExW(&drawn);
}

struct Creation {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

Creation creationOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Panel:
    case ControlKind::Label:
    case ControlKind::RadioGroup:
      // Tab and the arrow keys reach the controls that a panel holds.
      return {kDrawnClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::Button:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Edit:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Image:
      return {WC_STATICW, SS_ICON, 0};
  }
  return {WC_STATICW, 0, 0};
}

}  // namespace

Win32ControlPeer* controlPeerOf(HWND hwnd) {
  if (!hwnd || !GetPropW(hwnd, kControlPeerProp)) return nullptr;
  return reinterpret_cast<Win32ControlPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool routeChildMessage(Win32Toolkit& toolkit, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      Win32ControlPeer* peer = controlPeerOf(reinterpret_cast<HWND>(lParam));
      if (!peer) return false;
      toolkit.guarded([&] { peer->notified(HIWORD(wParam), LOWORD(wParam)); });
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Check boxes and radio buttons sit on the colour of what holds them.
      HWND child = reinterpret_cast<HWND>(lParam);
      Win32ControlPeer* peer = controlPeerOf(child);
      if (!peer) return false;
      const Color color = peer->control().parent() ? peer->control().parent()->color()
                                                   : peer->control().window().color();
      SetBkColor(reinterpret_cast<HDC>(wParam), toColorRef(color));
      if (isSystemColor(color)) {
        result =
            reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(systemColorIndex(color))));
      } else {
        result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        SetDCBrushColor(reinterpret_cast<HDC>(wParam), toColorRef(color));
      }
      return true;
    }
    default:
      return false;
  }
}

Win32ControlPeer::Win32ControlPeer(Win32Toolkit& toolkit, Control& control)
    : toolkit_(toolkit), control_(control) {
  create();
}

Win32ControlPeer::~Win32ControlPeer() {
  toolkit_.forgetHandle(&control_);
  for (HWND radio : radioButtons_) {
    if (IsWindow(radio)) DestroyWindow(radio);
  }
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Win32ControlPeer::create() {
  registerDrawnClass(toolkit_.instance());
  const Creation how = creationOf(control_.kind());
  HWND parent = toolkit_.handleOf(control_.parent() ? static_cast<const void*>(control_.parent())
                                                    : static_cast<const void*>(&control_.window()));
  const Bounds& b = control_.bounds();
  hwnd_ = CreateWindowExW(how.exStyle, how.className, wideOf(control_.captionText()).c_str(),
                          WS_CHILD | how.style | (control_.visible() ? WS_VISIBLE : 0), b.left,
                          b.top, b.width, b.height, parent, nullptr, toolkit_.instance(), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropW(hwnd_, kControlPeerProp, reinterpret_cast<HANDLE>(1));
  toolkit_.registerHandle(&control_, hwnd_);
  if (control_.kind() == ControlKind::Image) {
    SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(toolkit_.appIcon()), 0);
  }
  applyFont();
}

void Win32ControlPeer::applyBounds() {
  const Bounds& b = control_.bounds();
  MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
  if (control_.kind() == ControlKind::RadioGroup) applyItems();
}

void Win32ControlPeer::applyFont() {
  HFONT font = toolkit_.font(control_.font(), control_.window().font(), control_.window().dpi());
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND radio : radioButtons_) {
    SendMessageW(radio, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void Win32ControlPeer::applyItems() {
  const auto& items = control_.items();
  if (control_.kind() == ControlKind::ListBox) {
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const EncodedText& item : control_.itemTexts()) {
      SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideOf(item).c_str()));
    }
    applyItemIndex();
    return;
  }
  if (control_.kind() != ControlKind::RadioGroup) return;
  // The radio buttons sit in the frame, in rows of the group's columns.
  for (HWND radio : radioButtons_) DestroyWindow(radio);
  radioButtons_.clear();
  const Bounds& b = control_.bounds();
  const int dpi = control_.window().dpi();
  const int columns = std::max(1, control_.columns());
  const int margin = scale(8, dpi);
  const int columnWidth = (b.width - 2 * margin) / columns;
  const int rowHeight = scale(20, dpi);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  const int firstTop = (b.height - rows * rowHeight) / 2;
  const int gap = scale(2, dpi);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int column = static_cast<int>(i) % columns;
    const int row = static_cast<int>(i) / columns;
    HWND radio = CreateWindowExW(
        0, WC_BUTTONW, widen(items[i]).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON,
        margin + column * columnWidth, firstTop + row * rowHeight + gap / 2, columnWidth - 2 * gap,
        rowHeight - gap, hwnd_, reinterpret_cast<HMENU>(kRadioIdBase + i), toolkit_.instance(),
        nullptr);
    SetWindowLongPtrW(radio, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(radio, kControlPeerProp, reinterpret_cast<HANDLE>(1));
    EnableWindow(radio, control_.enabled());
    radioButtons_.push_back(radio);
  }
  applyFont();
  applyItemIndex();
}

void Win32ControlPeer::applyItemIndex() {
  const int index = control_.itemIndex();
  if (control_.kind() == ControlKind::ListBox) {
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return;
  }
  for (std::size_t i = 0; i < radioButtons_.size(); ++i) {
    SendMessageW(radioButtons_[i], BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32ControlPeer::applyHint() {
  HWND window = toolkit_.handleOf(&control_.window());
  // A tooltip is made for the first hint; without one there is no tool to take away.
  if (control_.hint().empty() && !GetPropW(window, kTooltipProp)) return;
  HWND tooltip = tooltipOf(window);
  if (!tooltip) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd_);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (control_.hint().empty()) return;
  std::wstring text = widen(control_.hint());
  tool.lpszText = text.data();
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32ControlPeer::apply(Prop changed) {
  switch (changed) {
    case Prop::Caption:
      SetWindowTextW(hwnd_, wideOf(control_.captionText()).c_str());
      if (isDrawn(control_.kind())) InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case Prop::Visible:
      ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Prop::Enabled:
      EnableWindow(hwnd_, control_.enabled());
      for (HWND radio : radioButtons_) EnableWindow(radio, control_.enabled());
      break;
    case Prop::Bounds:
      applyBounds();
      break;
    case Prop::Font:
      applyFont();
      if (isDrawn(control_.kind())) InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case Prop::Color:
    case Prop::TextColor:
    case Prop::Bevel:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case Prop::Hint:
      applyHint();
      break;
    case Prop::Checked:
      SendMessageW(hwnd_, BM_SETCHECK, control_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Prop::Items:
      applyItems();
      break;
    case Prop::ItemIndex:
      applyItemIndex();
      break;
    case Prop::MaxLength:
      SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(control_.maxLength()), 0);
      break;
    case Prop::TabStop: {
      const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
      SetWindowLongPtrW(hwnd_, GWL_STYLE,
                        control_.tabStop() ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
      break;
    }
  }
}

void Win32ControlPeer::notified(WORD code, WORD id) {
  switch (control_.kind()) {
    case ControlKind::Button:
      if (code == BN_CLICKED && control_.onClick) control_.onClick();
      break;
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) {
        control_.takeUserChecked(SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      break;
    case ControlKind::RadioGroup:
      if (code == BN_CLICKED && id >= kRadioIdBase) {
        const int index = id - kRadioIdBase;
        applyItemIndex();
        control_.takeUserItemIndex(index);
        applyItemIndex();
      }
      break;
    case ControlKind::ListBox:
      if (code == LBN_SELCHANGE) {
        control_.takeUserItemIndex(static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)));
      }
      break;
    case ControlKind::Edit:
      if (code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(hwnd_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
        control_.takeUserCaption(heldText(text));
      }
      break;
    default:
      break;
  }
}

void Win32ControlPeer::paint(HDC dc) {
  RECT area;
  GetClientRect(hwnd_, &area);
  HBRUSH background = CreateSolidBrush(toColorRef(control_.color()));
  FillRect(dc, &area, background);
  DeleteObject(background);
  switch (control_.bevel()) {
    case Bevel::Raised:
      DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      break;
    case Bevel::Lowered:
      DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      break;
    case Bevel::Single:
      FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&area, -1, -1);
      break;
    case Bevel::None:
      break;
  }
  if (control_.kind() == ControlKind::RadioGroup) DrawEdge(dc, &area, EDGE_ETCHED, BF_RECT);
  if (control_.caption().empty()) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, toColorRef(control_.textColor()));
  HGDIOBJ oldFont = SelectObject(
      dc, toolkit_.font(control_.font(), control_.window().font(), control_.window().dpi()));
  const UINT format = control_.kind() == ControlKind::Panel
                          ? DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX
                          : DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
  DrawTextW(dc, wideOf(control_.captionText()).c_str(), -1, &area, format);
  SelectObject(dc, oldFont);
}

}  // namespace qm
