#include "BrowserWindow.h"

#include <cstdio>

namespace {

constexpr const char* kClassName = "QmBrowser";

LRESULT CALLBACK BrowserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateBrowserPage(const char* className, WNDPROC proc, const char* title, void* param,
                       const RECT& place) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) return nullptr;
  return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, place.left,
                         place.top, place.right - place.left, place.bottom - place.top, nullptr,
                         nullptr, windowClass.hInstance, param);
}

int RunBrowserWindow(const char* title, const RECT& place) {
  HWND window = CreateBrowserPage(kClassName, BrowserProc, title, nullptr, place);
  if (!window) return 1;
  SetForegroundWindow(window);
  std::printf("%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(stdout);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
