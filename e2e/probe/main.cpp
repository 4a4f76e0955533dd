// qmprobe: reads the windows of the desktop it runs on and prints them for the e2e harness.
//   qmprobe windows        every top-level window
//   qmprobe children HWND  the child windows of one window (hex handle as printed)
//   qmprobe icon HWND      the icon a static control shows, 0 for none
//   qmprobe foreground     the foreground window, if there is one
//   qmprobe close HWND     asks a window to close, as its close box would
//   qmprobe browser TITLE  a browser-like foreground window titled TITLE (hex of its bytes)
//   qmprobe watch CLASS MS [FILE]  a window of CLASS shown and hidden again within MS
//                          milliseconds, and when FILE appears
//   qmprobe message CODE   the system's message text for an error code, as hex of its bytes
//   qmprobe combo HWND     a combo box's selected index and that item's text as hex
//   qmprobe text HWND      the text a control holds, as hex
// It only observes or plays other programs; every input to the program under test comes from
// real X events.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BrowserWindow.h"
#include "WindowReport.h"
#include "WindowWatch.h"

namespace {

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  PrintWindowLine("window", window);
  return TRUE;
}

BOOL CALLBACK PrintDirectChild(HWND window, LPARAM parent) {
  if (GetParent(window) == reinterpret_cast<HWND>(parent)) PrintWindowLine("child", window);
  return TRUE;
}

// Titles come as hex so that any code page 932 bytes survive the command line.
bool ParseHexText(const char* hex, char* out, std::size_t size) {
  const std::size_t length = std::strlen(hex);
  if (length % 2 != 0 || length / 2 >= size) return false;
  for (std::size_t i = 0; i < length / 2; ++i) {
    char pair[3] = {hex[2 * i], hex[2 * i + 1], '\0'};
    char* end = nullptr;
    out[i] = static_cast<char>(std::strtoul(pair, &end, 16));
    if (end != pair + 2) return false;
  }
  out[length / 2] = '\0';
  return true;
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

int PrintSystemMessage(DWORD code) {
  char text[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  for (const char* p = text; *p != '\0'; ++p) std::printf("%02x", static_cast<unsigned char>(*p));
  std::printf("\n");
  return 0;
}

constexpr UINT kAnswerTimeoutMs = 2000;

// Texts of another process's controls are asked for in UTF-16, which the standard dialogs keep,
// and printed as hex of their ANSI code page bytes. Asked for as ANSI across processes, Wine
// hands the UTF-16 bytes over as they are.
void PrintAnsiHex(const wchar_t* wide) {
  char text[2048] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  for (const char* p = text; *p != '\0'; ++p) std::printf("%02x", static_cast<unsigned char>(*p));
  std::printf("\n");
}

int PrintComboSelection(HWND combo) {
  DWORD_PTR index = 0;
  if (!SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &index)) {
    return 1;
  }
  wchar_t item[512] = {};
  DWORD_PTR length = 0;
  if (static_cast<int>(index) >= 0 &&
      SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                          &length) &&
      length < sizeof item / sizeof item[0]) {
    SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item),
                        SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length);
  }
  std::printf("%d\t", static_cast<int>(index));
  PrintAnsiHex(item);
  return 0;
}

// What a control holds now, such as an edit box's text; GetWindowText gives only its caption.
int PrintControlText(HWND control) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, sizeof text / sizeof text[0],
                           reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &length)) {
    return 1;
  }
  PrintAnsiHex(text);
  return 0;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: qmprobe windows | qmprobe children HWND | qmprobe icon HWND | qmprobe close HWND | "
      "qmprobe foreground | qmprobe browser HEXTITLE | qmprobe watch CLASS MS [FILE] | "
      "qmprobe message CODE | qmprobe combo HWND | qmprobe text HWND\n");
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
  } else if (argc == 3 && std::strcmp(argv[1], "message") == 0) {
    return PrintSystemMessage(std::strtoul(argv[2], nullptr, 10));
  } else if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "watch") == 0) {
    return WatchWindow(argv[2], std::strtoul(argv[3], nullptr, 10), argc == 5 ? argv[4] : nullptr);
  } else if (argc == 3 &&
             (std::strcmp(argv[1], "children") == 0 || std::strcmp(argv[1], "icon") == 0 ||
              std::strcmp(argv[1], "close") == 0 || std::strcmp(argv[1], "combo") == 0 ||
              std::strcmp(argv[1], "text") == 0)) {
    HWND window = ParseWindow(argv[2]);
    if (!IsWindow(window)) {
      std::fprintf(stderr, "qmprobe: no window %s\n", argv[2]);
      return 1;
    }
    if (std::strcmp(argv[1], "icon") == 0) return PrintIcon(window);
    if (std::strcmp(argv[1], "combo") == 0) return PrintComboSelection(window);
    if (std::strcmp(argv[1], "text") == 0) return PrintControlText(window);
    if (std::strcmp(argv[1], "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    EnumChildWindows(window, PrintDirectChild, reinterpret_cast<LPARAM>(window));
  } else {
    return Usage();
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
