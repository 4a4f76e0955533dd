#include "platform/win32/Win32MessagePump.h"

namespace qm {

void handleMessage(MSG& message) {
  // Tab and the arrow keys move between the controls of a dialog. Only key messages get
  // anything from IsDialogMessage that dispatching does not give; asking for the active
  // window on every 50 ms tick as well costs Wine a server call each time.
  const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  HWND active = key ? GetActiveWindow() : nullptr;
  if (active && (GetWindowLongW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
      IsDialogMessageW(active, &message)) {
    return;
  }
  // Only key messages are translated into characters; a 50 ms tick is spared the call.
  if (key) TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace qm
