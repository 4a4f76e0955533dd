#include "platform/win32/Win32Interaction.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Win32FolderChooser.h"
#include "text/Cp932.h"

namespace qm {
namespace {

// "desc|pattern|desc|pattern" becomes the double-zero-terminated list the dialogs take.
std::vector<char> dialogFilter(const std::string& filter) {
  std::vector<char> list(filter.begin(), filter.end());
  std::replace(list.begin(), list.end(), '|', '\0');
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

std::vector<char> pathBuffer(const std::string& initial) {
  std::vector<char> buffer(MAX_PATH, '\0');
  const std::string_view kept = text::cutAtCharBoundary(initial, MAX_PATH - 1);
  std::copy(kept.begin(), kept.end(), buffer.begin());
  return buffer;
}

// What the save and open dialogs share: the filter list and the buffer for the chosen path.
struct FileDialog {
  FileDialog(HWND owner, const std::string& filterPairs, const std::string& fileName,
             int filterIndex)
      : filter(dialogFilter(filterPairs)), file(pathBuffer(fileName)) {
    fields.lStructSize = sizeof(fields);
    fields.hwndOwner = owner;
    fields.lpstrFilter = filter.data();
    fields.nFilterIndex = static_cast<DWORD>(filterIndex);
    fields.lpstrFile = file.data();
    fields.nMaxFile = static_cast<DWORD>(file.size());
  }
  std::string chosenPath() const { return std::string(file.data()); }

  std::vector<char> filter;
  std::vector<char> file;
  OPENFILENAMEA fields{};
};

// The save dialog comes up over the topmost drop window, in front of everything.
UINT_PTR CALLBACK bringDialogForward(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    HWND frame = GetParent(dialog);
    SetForegroundWindow(frame);
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  return 0;
}

// While a box or dialog of the program is up, its own dialogs take no input, as if the box were
// theirs: no handler can start again underneath it. Afterwards the window that was active is again.
class DialogsHeldBack {
 public:
  DialogsHeldBack() : active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), hold, reinterpret_cast<LPARAM>(&held_));
  }
  ~DialogsHeldBack() {
    for (HWND window : held_) EnableWindow(window, TRUE);
    if (active_ && IsWindowVisible(active_)) SetActiveWindow(active_);
  }
  DialogsHeldBack(const DialogsHeldBack&) = delete;
  DialogsHeldBack& operator=(const DialogsHeldBack&) = delete;

 private:
  static BOOL CALLBACK hold(HWND window, LPARAM held) {
    const bool captioned = (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    if (captioned && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<std::vector<HWND>*>(held)->push_back(window);
    }
    return TRUE;
  }

  HWND active_;
  std::vector<HWND> held_;
};

}  // namespace

int Win32Interaction::messageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
  DialogsHeldBack held;
  return MessageBoxA(owner_, text.c_str(), caption.c_str(), style);
}

SaveDialogResult Win32Interaction::saveDialog(const SaveDialogRequest& request) {
  FileDialog dialog(owner_, request.filter, request.fileName, request.filterIndex);
  dialog.fields.lpstrInitialDir = request.initialDir.c_str();
  dialog.fields.Flags =
      OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK;
  dialog.fields.lpfnHook = bringDialogForward;
  SaveDialogResult result;
  if (GetSaveFileNameA(&dialog.fields)) {
    result.path = dialog.chosenPath();
  } else {
    result.lastError = CommDlgExtendedError();
  }
  return result;
}

std::optional<std::string> Win32Interaction::openFileDialog(const OpenDialogRequest& request) {
  DialogsHeldBack held;
  FileDialog dialog(owner_, request.filter, request.fileName, 1);
  dialog.fields.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameA(&dialog.fields)) return std::nullopt;
  return dialog.chosenPath();
}

std::optional<std::string> Win32Interaction::chooseFolder(const std::string& startDir) {
  DialogsHeldBack held;
  return runFolderChooser(owner_, startDir);
}

void Win32Interaction::playSound(const std::string& path) {
  PlaySoundA(path.c_str(), nullptr, SND_FILENAME);
}

void Win32Interaction::shellExecute(const std::string& file, const std::string& parameters) {
  ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace qm
