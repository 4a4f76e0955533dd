// qmmintray: the least a tray program of the same make as Quillmarten can be, to measure the
// program's idle cost against: a tray icon, a 50 ms timer whose tick reads the left button as
// the idle watcher does, OLE initialised and the Japanese UI font realised.
// Words on the command line take parts away or add the program's other parts one at a time, so
// the benchmark can tell what each costs in memory:
//   no-ole  no-font  common-controls  drop-target  load=NAME.dll (any number of them)
#include <windows.h>
// The headers below need the types windows.h declares.
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstring>

namespace {

constexpr const char* kClassName = "QmMinimalTray";
constexpr UINT_PTR kTickId = 1;
constexpr UINT kTickMs = 50;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kAppIconId = 1;

bool HasWord(const char* commandLine, const char* word) {
  const std::size_t length = std::strlen(word);
  for (const char* at = std::strstr(commandLine, word); at; at = std::strstr(at + 1, word)) {
    const bool starts = at == commandLine || at[-1] == ' ';
    const bool ends = at[length] == '\0' || at[length] == ' ';
    if (starts && ends) return true;
  }
  return false;
}

void LoadNamedLibraries(const char* commandLine) {
  constexpr const char* kPrefix = "load=";
  for (const char* at = std::strstr(commandLine, kPrefix); at; at = std::strstr(at + 1, kPrefix)) {
    char name[MAX_PATH] = {};
    const char* start = at + std::strlen(kPrefix);
    const std::size_t length = std::strcspn(start, " ");
    if (length == 0 || length >= sizeof name) continue;
    std::memcpy(name, start, length);
    LoadLibraryA(name);
  }
}

// The font every window of the program uses, selected into a DC and used for a text extent,
// so that the font file is opened and its glyphs loaded as when the program first paints.
HFONT RealiseUiFont(HWND window) {
  HFONT font = CreateFontA(-MulDiv(9, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  const char sample[] = "保存しました";
  SIZE extent;
  GetTextExtentPoint32A(dc, sample, sizeof sample - 1, &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return font;
}

// Takes no drop: registering it is what costs, as the program's drop window registers its own.
class RefusingDropTarget : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDropTarget) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives as long as the program.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
};

LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTickId) {
    GetAsyncKeyState(VK_LBUTTON);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool ole = !HasWord(commandLine, "no-ole");
  if (ole) OleInitialize(nullptr);
  if (HasWord(commandLine, "common-controls")) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
  LoadNamedLibraries(commandLine);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = TrayProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "qmmintray", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HFONT font = HasWord(commandLine, "no-font") ? nullptr : RealiseUiFont(window);
  RefusingDropTarget dropTarget;
  const bool takesDrops = ole && HasWord(commandLine, "drop-target") &&
                          SUCCEEDED(RegisterDragDrop(window, &dropTarget));

  NOTIFYICONDATAA icon = {};
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  icon.uID = 1;
  icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kAppIconId));
  std::strcpy(icon.szTip, "qmmintray");
  Shell_NotifyIconA(NIM_ADD, &icon);
  SetTimer(window, kTickId, kTickMs, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  Shell_NotifyIconA(NIM_DELETE, &icon);
  if (takesDrops) RevokeDragDrop(window);
  if (font) DeleteObject(font);
  if (ole) OleUninitialize();
  return 0;
}
