// qmprobe: reads the windows of the desktop it runs on and prints them for the e2e harness.
//   qmprobe windows        every top-level window
//   qmprobe children HWND  the child windows of one window (hex handle as printed)
// It only observes; every input to the program under test comes from real X events.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "WindowReport.h"

namespace {

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  PrintWindowLine("window", window);
  return TRUE;
}

BOOL CALLBACK PrintDirectChild(HWND window, LPARAM parent) {
  if (GetParent(window) == reinterpret_cast<HWND>(parent)) PrintWindowLine("child", window);
  return TRUE;
}

int Usage() {
  std::fprintf(stderr, "usage: qmprobe windows | qmprobe children HWND\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "windows") == 0) {
    EnumWindows(PrintTopLevel, 0);
  } else if (argc == 3 && std::strcmp(argv[1], "children") == 0) {
    const auto parent = static_cast<UINT_PTR>(std::strtoull(argv[2], nullptr, 16));
    HWND window = reinterpret_cast<HWND>(parent);
    if (!IsWindow(window)) {
      std::fprintf(stderr, "qmprobe: no window %s\n", argv[2]);
      return 1;
    }
    EnumChildWindows(window, PrintDirectChild, static_cast<LPARAM>(parent));
  } else {
    return Usage();
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
