#include "WindowReport.h"

#include <cstdio>
#include <cstring>

#include "HexText.h"

void PrintWindowLine(const char* kind, HWND window) {
  char className[256] = {};
  char title[1024] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  RECT bounds = {};
  RECT client = {};
  GetWindowRect(window, &bounds);
  GetClientRect(window, &client);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  std::printf(
      "%s\t%llx\t%lu\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%llx\t%llx\t%llx\t%llx\t", kind,
      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)), pid,
      IsWindowVisible(window) ? 1 : 0, className, bounds.left, bounds.top, bounds.right,
      bounds.bottom, client.right - client.left, client.bottom - client.top,
      static_cast<unsigned long long>(GetWindowLongPtrA(window, GWL_STYLE)),
      static_cast<unsigned long long>(GetWindowLongPtrA(window, GWL_EXSTYLE)),
      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))),
      static_cast<unsigned long long>(GetWindowLongPtrA(window, GWLP_ID)));
  PrintHexBytes(title, std::strlen(title));
  std::printf("\n");
}
