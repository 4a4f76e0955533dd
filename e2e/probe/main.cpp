// qmprobe: reads the windows of the desktop it runs on and prints them for the e2e harness.
//   qmprobe windows        every top-level window
//   qmprobe foreground     the foreground window
//   qmprobe children HWND  the child windows of one window (hex handle as printed)
//   qmprobe descendants HWND  every window inside one window, children of children included
//   qmprobe icon HWND      the icon a static control shows, 0 for none
//   qmprobe text HWND      a control's text as its process holds it (typed text included)
//   qmprobe items HWND     the items of a list box, one line each
//   qmprobe rows HWND      a list box's first visible item, item height and client origin
//   qmprobe checked HWND   1 when a check box or radio button is ticked, else 0
//   qmprobe focus HWND     the control that has the keyboard focus in the window's thread
//   qmprobe clip HEX       puts the code page 932 text HEX on the clipboard, for a paste by a
//                          real Ctrl+V: X input cannot type Japanese into Wine
// Texts go out as hex code page 932 bytes. They are asked for in UTF-16: Wine answers a list
// box's LB_GETTEXT from another process in UTF-16 even when it is asked in ANSI.
// Apart from filling the clipboard it only observes; every input to the program under test
// comes from real X events.
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

BOOL CALLBACK PrintDescendant(HWND window, LPARAM) {
  PrintWindowLine("child", window);
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

void PrintAnsiHex(const wchar_t* text) {
  char bytes[2048] = {};
  WideCharToMultiByte(932, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  for (const char* p = bytes; *p != '\0'; ++p) {
    std::printf("%02x", static_cast<unsigned char>(*p));
  }
  std::printf("\n");
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

int PrintText(HWND control) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!Ask(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), copied)) return 1;
  PrintAnsiHex(text);
  return 0;
}

int PrintItems(HWND list) {
  DWORD_PTR count = 0;
  if (!Ask(list, LB_GETCOUNT, 0, 0, count)) return 1;
  for (DWORD_PTR i = 0; i < count; ++i) {
    wchar_t item[1024] = {};
    DWORD_PTR length = 0;
    if (!Ask(list, LB_GETTEXTLEN, i, 0, length) || length >= 1024) return 1;
    if (!Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item), length)) return 1;
    PrintAnsiHex(item);
  }
  return 0;
}

int PrintRows(HWND list) {
  DWORD_PTR top = 0;
  DWORD_PTR height = 0;
  if (!Ask(list, LB_GETTOPINDEX, 0, 0, top) || !Ask(list, LB_GETITEMHEIGHT, 0, 0, height)) return 1;
  POINT origin{0, 0};
  ClientToScreen(list, &origin);
  std::printf("%llu %llu %ld %ld\n", static_cast<unsigned long long>(top),
              static_cast<unsigned long long>(height), origin.x, origin.y);
  return 0;
}

int PrintChecked(HWND button) {
  DWORD_PTR state = 0;
  if (!Ask(button, BM_GETCHECK, 0, 0, state)) return 1;
  std::printf("%d\n", state == BST_CHECKED ? 1 : 0);
  return 0;
}

int PrintFocus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 1;
  std::printf("%llx\n",
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hwndFocus)));
  return 0;
}

int PutOnClipboard(const char* hex) {
  char text[1024] = {};
  for (std::size_t i = 0; hex[2 * i] != '\0' && hex[2 * i + 1] != '\0' && i + 1 < sizeof text;
       ++i) {
    const char pair[3] = {hex[2 * i], hex[2 * i + 1], '\0'};
    text[i] = static_cast<char>(std::strtoul(pair, nullptr, 16));
  }
  const int length = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  if (!memory) return 1;
  MultiByteToWideChar(932, 0, text, -1, static_cast<wchar_t*>(GlobalLock(memory)), length);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: qmprobe windows | qmprobe "
               "children|descendants|icon|text|items|rows|checked|focus HWND | clip HEX\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "windows") == 0) {
    EnumWindows(PrintTopLevel, 0);
  } else if (argc == 2 && std::strcmp(argv[1], "foreground") == 0) {
    std::printf("%llx\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
  } else if (argc == 3 && std::strcmp(argv[1], "clip") == 0) {
    return PutOnClipboard(argv[2]);
  } else if (argc == 3) {
    HWND window = ParseWindow(argv[2]);
    if (!IsWindow(window)) {
      std::fprintf(stderr, "qmprobe: no window %s\n", argv[2]);
      return 1;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "icon") == 0) return PrintIcon(window);
    if (std::strcmp(command, "text") == 0) return PrintText(window);
    if (std::strcmp(command, "items") == 0) return PrintItems(window);
    if (std::strcmp(command, "checked") == 0) return PrintChecked(window);
    if (std::strcmp(command, "rows") == 0) return PrintRows(window);
    if (std::strcmp(command, "focus") == 0) return PrintFocus(window);
    if (std::strcmp(command, "descendants") == 0) {
      EnumChildWindows(window, PrintDescendant, 0);
    } else if (std::strcmp(command, "children") == 0) {
      EnumChildWindows(window, PrintDirectChild, reinterpret_cast<LPARAM>(window));
    } else {
      return Usage();
    }
  } else {
    return Usage();
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
