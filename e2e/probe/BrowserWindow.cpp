#include "BrowserWindow.h"

#include <cstdio>

namespace {

constexpr const char* kClassName = "QmBrowser";

// The picture, drawn at its own size in the middle of the page.
void PaintPicture(HWND window, HBITMAP picture) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  BITMAP size;
  RECT page;
  if (picture && GetObjectA(picture, sizeof size, &size) && GetClientRect(window, &page)) {
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ before = SelectObject(source, picture);
    BitBlt(target, (page.right - size.bmWidth) / 2, (page.bottom - size.bmHeight) / 2, size.bmWidth,
           size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, before);
    DeleteDC(source);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK BrowserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_PAINT:
      PaintPicture(window, reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA)));
      return 0;
    case WM_DESTROY:
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

int RunBrowserWindow(const char* title, const RECT& place, const char* picture) {
  HANDLE bitmap = nullptr;
  if (picture) {
    bitmap = LoadImageA(nullptr, picture, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!bitmap) return 1;
  }
  HWND window = CreateBrowserPage(kClassName, BrowserProc, title, bitmap, place);
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
