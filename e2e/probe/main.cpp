// qmprobe: reads the windows of the desktop it runs on and prints them for the e2e harness.
//   qmprobe windows        every top-level window
//   qmprobe children HWND  the child windows of one window (hex handle as printed)
//   qmprobe icon HWND      the icon a static control shows, 0 for none
//   qmprobe foreground     the foreground window, if there is one
//   qmprobe close HWND     asks a window to close, as its close box would
//   qmprobe browser TITLE  a browser-like foreground window titled TITLE (hex of its bytes)
//   qmprobe oledrag title=HEX offer=file|url|hdrop ...  a browser dragging an image through OLE
//   qmprobe droptarget     a test OLE drop target at the right edge that prints what it gets
//   qmprobe answers HWND   whether a window still answers a sent message within a second
// It only observes or plays other programs; every input to the program under test comes from
// real X events.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BrowserWindow.h"
#include "DropTargetWindow.h"
#include "HexText.h"
#include "OleDragSource.h"
#include "WindowAnswer.h"
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

HWND ParseWindow(const char* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 16)));
}

int PrintIcon(HWND control) {
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon)) return 1;
  std::printf("%llx\n", static_cast<unsigned long long>(icon));
  return 0;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: qmprobe windows | qmprobe children HWND | qmprobe icon HWND | qmprobe close HWND | "
      "qmprobe foreground | qmprobe browser HEXTITLE | qmprobe answers HWND | qmprobe droptarget | "
      "qmprobe oledrag title=HEX|utf8title=HEX [offer=file|url|hdrop] [name=HEXUTF8] [file=PATH] "
      "[medium=hglobal|istream] [size=N] [url=URL] [edge=X,Y] [target=CLASS] [offset=Y] "
      "[stay]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "windows") == 0) {
    EnumWindows(PrintTopLevel, 0);
  } else if (argc == 2 && std::strcmp(argv[1], "foreground") == 0) {
    if (HWND foreground = GetForegroundWindow()) PrintWindowLine("window", foreground);
  } else if (argc == 3 && std::strcmp(argv[1], "browser") == 0) {
    char title[512];
    if (!ParseHexText(argv[2], title, sizeof title)) return Usage();
    return RunBrowserWindow(title);
  } else if (argc >= 3 && std::strcmp(argv[1], "oledrag") == 0) {
    const int result = RunOleDragSource(argc - 2, argv + 2);
    return result == 2 ? Usage() : result;
  } else if (argc == 2 && std::strcmp(argv[1], "droptarget") == 0) {
    return RunDropTargetWindow();
  } else if (argc == 3 &&
             (std::strcmp(argv[1], "children") == 0 || std::strcmp(argv[1], "icon") == 0 ||
              std::strcmp(argv[1], "close") == 0 || std::strcmp(argv[1], "answers") == 0)) {
    HWND window = ParseWindow(argv[2]);
    if (!IsWindow(window)) {
      std::fprintf(stderr, "qmprobe: no window %s\n", argv[2]);
      return 1;
    }
    if (std::strcmp(argv[1], "icon") == 0) return PrintIcon(window);
    if (std::strcmp(argv[1], "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (std::strcmp(argv[1], "answers") == 0) return PrintWhetherAnswers(window);
    EnumChildWindows(window, PrintDirectChild, reinterpret_cast<LPARAM>(window));
  } else {
    return Usage();
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
