#include "OleDragSource.h"

#include <windows.h>

#include "BrowserDataObject.h"
#include "BrowserWindow.h"
#include "ComObject.h"
#include "DragOptions.h"
#include "DragScript.h"
#include "EventLine.h"
#include "OleStart.h"

namespace {

constexpr const char* kClassName = "QmDragSource";
constexpr UINT_PTR kPressDeadlineTimer = 1;
constexpr UINT kPressDeadlineMs = 30000;
constexpr DWORD kScriptEndDeadlineMs = 15000;
// A target may read a large virtual file inside its Drop; allowing it 256 KB/s on a loaded
// machine keeps the deadline a guard against hangs only.
constexpr DWORD kDropDeadlineMs = 10000;
constexpr ULONGLONG kSlowestReadBytesPerSecond = 256 * 1024;
constexpr DWORD kAllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

struct Source {
  DragOptions options;
  bool pressed = false;
  int exitCode = 0;
};

class DropSource final : public ComObject<IDropSource> {
 public:
  DropSource(const volatile LONG* cancel, volatile LONG* loopTurns)
      : cancel_(cancel), loopTurns_(loopTurns) {}

  // Once the drop window has the foreground, Wine stops updating the key state it passes
  // here, so the button is read from the input state itself.
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape || *cancel_) return DRAGDROP_S_CANCEL;
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) return S_OK;
    PrintEvent("source-release", "keys=0x%lx", keys);
    return DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
    InterlockedIncrement(loopTurns_);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

 private:
  const volatile LONG* cancel_;
  volatile LONG* loopTurns_;
};

void WaitServing(HANDLE event, DWORD deadlineMs) {
  const ULONGLONG until = GetTickCount64() + deadlineMs;
  while (true) {
    const ULONGLONG now = GetTickCount64();
    if (now >= until) {
      PrintEvent("timeout", "what=operation-end");
      return;
    }
    const DWORD waited =
        MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    if (waited == WAIT_OBJECT_0) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

const char* Outcome(HRESULT result) {
  if (result == DRAGDROP_S_DROP) return "drop";
  if (result == DRAGDROP_S_CANCEL) return "cancel";
  return "error";
}

// Returns the script's verdict: 0 when the drag ran to its end as scripted.
int Drag(const DragOptions& options) {
  const DWORD dropMs = static_cast<DWORD>(options.fileBytes * 1000 / kSlowestReadBytesPerSecond +
                                          options.dropExtraMs);
  DragScript script = {
      options.edge,   options.targetClass,      options.offsetGiven,
      options.offset, kDropDeadlineMs + dropMs, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE thread = StartDragScript(&script);
  if (!thread) {
    CloseHandle(script.dragEnded);
    return 1;
  }
  HANDLE operationEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  IDataObject* data = CreateBrowserDataObject(options, operationEnded);
  IDropSource* source = new DropSource(&script.cancel, &script.loopTurns);
  DWORD effect = DROPEFFECT_NONE;
  const ULONGLONG started = GetTickCount64();
  const HRESULT result = DoDragDrop(data, source, kAllowedEffects, &effect);
  SetEvent(script.dragEnded);
  PrintEvent("result", "hr=0x%08lx outcome=%s effect=%lu ms=%llu",
             static_cast<unsigned long>(result), Outcome(result), effect,
             GetTickCount64() - started);
  source->Release();
  // A target that started an asynchronous operation reads the data after the drop and ends
  // the operation once it has: the data and the calls it makes here must be served meanwhile.
  if (options.async && effect != DROPEFFECT_NONE)
    WaitServing(operationEnded, script.dragEndDeadlineMs);
  data->Release();
  CloseHandle(operationEnded);
  DWORD verdict = 1;
  if (WaitForSingleObject(thread, kScriptEndDeadlineMs) != WAIT_OBJECT_0 ||
      !GetExitCodeThread(thread, &verdict)) {
    PrintEvent("timeout", "what=script-end");
    verdict = 1;
  }
  CloseHandle(thread);
  CloseHandle(script.dragEnded);
  return static_cast<int>(verdict);
}

void OnButtonDown(HWND window, Source* state) {
  if (state->pressed) return;
  state->pressed = true;
  KillTimer(window, kPressDeadlineTimer);
  PrintEvent("press");
  state->exitCode = Drag(state->options);
  if (state->options.stay) {
    PrintEvent("staying");
  } else {
    DestroyWindow(window);
  }
}

LRESULT CALLBACK SourceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Source* state = reinterpret_cast<Source*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN:
      OnButtonDown(window, state);
      return 0;
    case WM_TIMER:
      if (wParam != kPressDeadlineTimer) break;
      PrintEvent("timeout", "what=button-press");
      state->exitCode = 1;
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(state->exitCode);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunOleDragSource(int count, char** arguments) {
  Source state;
  if (!ParseDragOptions(count, arguments, &state.options)) return 2;
  if (!StartOle()) return 1;
  HWND window = CreateBrowserPage(kClassName, SourceProc, state.options.title, &state);
  if (!window) {
    PrintEvent("window-failed", "error=%lu", GetLastError());
    return 1;
  }
  if (state.options.unicodeTitle[0] != L'\0') SetWindowTextW(window, state.options.unicodeTitle);
  SetForegroundWindow(window);
  SetTimer(window, kPressDeadlineTimer, kPressDeadlineMs, nullptr);
  PrintEvent("window", "hwnd=%llx",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  MSG message;
  int exitCode = 1;
  while (true) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      exitCode = got == 0 ? static_cast<int>(message.wParam) : 1;
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  OleUninitialize();
  return exitCode;
}
