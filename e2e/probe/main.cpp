// qmprobe: reads the windows of the desktop it runs on and prints them for the e2e harness.
//   qmprobe windows           every top-level window
//   qmprobe foreground        the foreground window, if there is one
//   qmprobe children HWND     the child windows of one window (hex handle as printed)
//   qmprobe descendants HWND  every window inside one window, children of children included
//   qmprobe icon HWND         the icon a static control shows, 0 for none
//   qmprobe text HWND         a control's text as its process holds it (typed text included)
//   qmprobe items HWND        the items of a list box, one line each
//   qmprobe rows HWND         a list box's first visible item, item height and client origin
//   qmprobe checked HWND      1 when a check box or radio button is ticked, else 0
//   qmprobe focus HWND        the control that has the keyboard focus in the window's thread
//   qmprobe combo HWND        a combo box's selected index and that item's text as hex
//   qmprobe close HWND        asks a window to close, as its close box would
//   qmprobe answers HWND      whether a window still answers a sent message within 10 s
//   qmprobe message CODE      the system's message text for an error code, as hex of its bytes
//   qmprobe watch CLASS MS [FILE]  a window of CLASS shown and hidden again within MS
//                             milliseconds, and when FILE appears
//   qmprobe debugwatch SECONDS  what programs write with OutputDebugString, for SECONDS
//   qmprobe clip HEX          puts UTF-8 text on the clipboard, for a real Ctrl+V
//   qmprobe browser TITLE [L,T,R,B] [picture=BMP]  a browser-like foreground window titled TITLE
//                             (hex of its bytes), where the rectangle says or at the usual place,
//                             its page blank or showing the picture of a bitmap file
//   qmprobe monitors          each monitor's rectangle, and 1 for the primary, else 0
//   qmprobe oledrag title=HEX offer=file|url|hdrop ...  a browser dragging an image through OLE
//                             (dropms=MS: more time for a target that does slow work in its Drop)
//   qmprobe droptarget        a test OLE drop target at the right edge that prints what it gets
//   qmprobe serve             answers the window and message commands above, one a line on
//                             stdin, each answer closed by a line "end CODE"
// Apart from filling the clipboard and playing other programs it only observes; every input to
// the program under test comes from real X events.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BrowserWindow.h"
#include "ControlReport.h"
#include "DebugWatch.h"
#include "DropTargetWindow.h"
#include "HexText.h"
#include "OleDragSource.h"
#include "WindowAnswer.h"
#include "WindowReport.h"
#include "WindowWatch.h"

namespace {

constexpr const char* kPictureWord = "picture=";

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  PrintWindowLine("window", window);
  return TRUE;
}

BOOL CALLBACK PrintDirectChild(HWND window, LPARAM parent) {
  if (GetParent(window) == reinterpret_cast<HWND>(parent)) PrintWindowLine("child", window);
  return TRUE;
}

BOOL CALLBACK PrintDescendant(HWND window, LPARAM) {
  PrintWindowLine("child", window);
  return TRUE;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  std::printf("monitor\t%ld\t%ld\t%ld\t%ld\t%d\n", r.left, r.top, r.right, r.bottom,
              (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
  return TRUE;
}

HWND ParseWindow(const char* text) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 16)));
}

int PrintIcon(HWND control) {
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_NORMAL, kControlAnswerMs, &icon)) {
    return 1;
  }
  std::printf("%llx\n", static_cast<unsigned long long>(icon));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: qmprobe windows | foreground | "
               "children|descendants|icon|text|items|rows|checked|focus|combo|close|answers HWND | "
               "monitors | message CODE | watch CLASS MS | debugwatch SECONDS | clip HEX | "
               "browser HEXTITLE [L,T,R,B] [picture=BMP] | droptarget | "
               "oledrag title=HEX|utf8title=HEX [offer=file|url|hdrop] [name=HEXUTF8] [file=PATH] "
               "[medium=hglobal|istream] [size=N] [url=URL] [edge=X,Y] [target=CLASS] [offset=Y] "
               "[dropms=MS] [stay]\n");
  return 2;
}

int PrintChildren(HWND window) {
  EnumChildWindows(window, PrintDirectChild, reinterpret_cast<LPARAM>(window));
  return 0;
}

int PrintDescendants(HWND window) {
  EnumChildWindows(window, PrintDescendant, 0);
  return 0;
}

int Close(HWND window) {
  return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

// The commands that read or act on one window.
struct WindowCommand {
  const char* name;
  int (*run)(HWND window);
};

constexpr WindowCommand kWindowCommands[] = {
    {"icon", PrintIcon},
    {"text", PrintText},
    {"items", PrintItems},
    {"checked", PrintChecked},
    {"rows", PrintRows},
    {"focus", PrintFocus},
    {"combo", PrintComboSelection},
    {"answers", PrintWhetherAnswers},
    {"close", Close},
    {"children", PrintChildren},
    {"descendants", PrintDescendants},
};

const WindowCommand* FindWindowCommand(const char* name) {
  for (const WindowCommand& command : kWindowCommands) {
    if (std::strcmp(command.name, name) == 0) return &command;
  }
  return nullptr;
}

// The commands that only read the desktop or act on one window. Returns -1 for a command it does
// not know; words[0] is the command.
int Query(int count, char** words) {
  if (count == 1 && std::strcmp(words[0], "windows") == 0) {
    EnumWindows(PrintTopLevel, 0);
  } else if (count == 1 && std::strcmp(words[0], "monitors") == 0) {
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
  } else if (count == 1 && std::strcmp(words[0], "foreground") == 0) {
    if (HWND foreground = GetForegroundWindow()) PrintWindowLine("window", foreground);
  } else if (count == 2 && std::strcmp(words[0], "message") == 0) {
    return PrintSystemMessage(std::strtoul(words[1], nullptr, 10));
  } else if (const WindowCommand* command = count == 2 ? FindWindowCommand(words[0]) : nullptr) {
    HWND window = ParseWindow(words[1]);
    if (!IsWindow(window)) {
      std::fprintf(stderr, "qmprobe: no window %s\n", words[1]);
      return 1;
    }
    return command->run(window);
  } else {
    return -1;
  }
  return 0;
}

// Answers one query a line from stdin, each answer closed by "end CODE", until stdin ends: a
// harness that looks many times a second asks one process instead of starting one each time.
int Serve() {
  constexpr int kMostWords = 4;
  char line[1024];
  while (std::fgets(line, sizeof line, stdin)) {
    char* words[kMostWords] = {};
    int count = 0;
    for (char* word = std::strtok(line, " \t\r\n"); word && count < kMostWords;
         word = std::strtok(nullptr, " \t\r\n")) {
      words[count++] = word;
    }
    const int code = count > 0 ? Query(count, words) : -1;
    std::printf("end %d\n", code < 0 ? Usage() : code);
    if (std::fflush(stdout) != 0) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "serve") == 0) return Serve();
  if (argc == 2 && std::strcmp(argv[1], "droptarget") == 0) return RunDropTargetWindow();
  if (argc >= 3 && std::strcmp(argv[1], "oledrag") == 0) {
    const int result = RunOleDragSource(argc - 2, argv + 2);
    return result == 2 ? Usage() : result;
  }
  if (argc >= 3 && argc <= 5 && std::strcmp(argv[1], "browser") == 0) {
    char title[512];
    RECT place = kPagePlace;
    const char* picture = nullptr;
    if (!ParseHexText(argv[2], title, sizeof title)) return Usage();
    for (int i = 3; i < argc; ++i) {
      if (std::strncmp(argv[i], kPictureWord, std::strlen(kPictureWord)) == 0) {
        picture = argv[i] + std::strlen(kPictureWord);
      } else if (std::sscanf(argv[i], "%ld,%ld,%ld,%ld", &place.left, &place.top, &place.right,
                             &place.bottom) != 4) {
        return Usage();
      }
    }
    return RunBrowserWindow(title, place, picture);
  }
  if (argc == 3 && std::strcmp(argv[1], "clip") == 0) return PutOnClipboard(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "watch") == 0) {
    return WatchWindow(argv[2], std::strtoul(argv[3], nullptr, 10));
  }
  if (argc == 3 && std::strcmp(argv[1], "debugwatch") == 0) {
    return WatchDebugOutput(std::strtoul(argv[2], nullptr, 10));
  }
  const int result = argc >= 2 ? Query(argc - 1, argv + 1) : -1;
  if (result < 0) return Usage();
  if (result > 0) return result;
  return std::fflush(stdout) == 0 ? 0 : 1;
}
