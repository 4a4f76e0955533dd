#include "platform/win32/Win32Dpi.h"

namespace qm {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn user32Function(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int windowDpi(HWND hwnd) {
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow ? getDpiForWindow(hwnd) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : systemDpi();
}

void adjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&client, style, FALSE, exStyle);
}

}  // namespace qm
