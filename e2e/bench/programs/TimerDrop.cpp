// qmmindrop: the least a 50 ms drag watcher can be, to measure the program's watcher against.
// A hidden topmost popup; on each tick, the left button held with the pointer on the right
// edge of the screen over a window whose title holds "Firefox" shows it, and the tick after
// the one that sees the button released hides it, as the program's watcher does.
#include <windows.h>

#include <cstring>

namespace {

constexpr const char* kClassName = "QmMinimalDrop";
constexpr UINT_PTR kTickId = 1;
constexpr UINT kTickMs = 50;
constexpr int kWidth = 60;
constexpr int kHeight = 80;
constexpr int kTitleLimit = 100;

enum class State { Idle, Shown, Hiding };
State state = State::Idle;

bool OverBrowser() {
  char title[kTitleLimit] = {};
  HWND foreground = GetForegroundWindow();
  return foreground && GetWindowTextA(foreground, title, kTitleLimit) > 0 &&
         std::strstr(title, "Firefox") != nullptr;
}

void Tick(HWND window) {
  const bool held = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
  POINT pointer;
  switch (state) {
    case State::Idle:
      if (held && GetCursorPos(&pointer) && pointer.x == GetSystemMetrics(SM_CXSCREEN) - 1 &&
          OverBrowser()) {
        // Below the program's own window at the same edge, so the two never overlap.
        SetWindowPos(window, HWND_TOPMOST, pointer.x + 1 - kWidth, pointer.y + 200, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        state = State::Shown;
      }
      break;
    case State::Shown:
      if (!held) state = State::Hiding;
      break;
    case State::Hiding:
      ShowWindow(window, SW_HIDE);
      state = State::Idle;
      break;
  }
}

LRESULT CALLBACK DropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTickId) {
    Tick(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DropProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (!window || !SetTimer(window, kTickId, kTickMs, nullptr)) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
