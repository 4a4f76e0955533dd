#include "ControlReport.h"

#include <cstdio>
#include <cstdlib>

int PrintSystemMessage(DWORD code) {
  char text[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  for (const char* p = text; *p != '\0'; ++p) std::printf("%02x", static_cast<unsigned char>(*p));
  std::printf("\n");
  return 0;
}

namespace {

// Texts of another process's controls are asked for in UTF-16, which the controls keep, and
// printed as hex of their UTF-8 bytes, so that a name code page 932 cannot spell reads as it is.
void PrintUtf8Hex(const wchar_t* wide) {
  char text[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  for (const char* p = text; *p != '\0'; ++p) std::printf("%02x", static_cast<unsigned char>(*p));
  std::printf("\n");
}

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kControlAnswerMs,
                             &answer) != 0;
}

}  // namespace

int PrintComboSelection(HWND combo) {
  DWORD_PTR index = 0;
  if (!Ask(combo, CB_GETCURSEL, 0, 0, index)) return 1;
  wchar_t item[512] = {};
  DWORD_PTR length = 0;
  if (static_cast<int>(index) >= 0 && Ask(combo, CB_GETLBTEXTLEN, index, 0, length) &&
      length < sizeof item / sizeof item[0]) {
    Ask(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item), length);
  }
  std::printf("%d\t", static_cast<int>(index));
  PrintUtf8Hex(item);
  return 0;
}

int PrintText(HWND control) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!Ask(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), copied)) return 1;
  PrintUtf8Hex(text);
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
    PrintUtf8Hex(item);
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
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length) * sizeof(wchar_t));
  if (!memory) return 1;
  MultiByteToWideChar(CP_UTF8, 0, text, -1, static_cast<wchar_t*>(GlobalLock(memory)), length);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return 1;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  return put ? 0 : 1;
}
