#include "platform/win32/Win32Interaction.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/Win32Codes.h"
#include "platform/win32/Win32FolderChooser.h"
#include "platform/win32/Win32LateFunction.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32Text.h"

namespace qm {
namespace {

constexpr const wchar_t* kDialogLibrary = L"comdlg32.dll";

// The common dialogs' functions, looked up at the first dialog.
struct CommonDialogs {
  CommonDialogs() {
    if (save && open && extendedError) return;
    missing = GetLastError();
    if (!missing) missing = ERROR_PROC_NOT_FOUND;
  }
  decltype(GetSaveFileNameW)* save =
      lateFunction<decltype(GetSaveFileNameW)>(kDialogLibrary, "GetSaveFileNameW");
  decltype(GetOpenFileNameW)* open =
      lateFunction<decltype(GetOpenFileNameW)>(kDialogLibrary, "GetOpenFileNameW");
  decltype(CommDlgExtendedError)* extendedError =
      lateFunction<decltype(CommDlgExtendedError)>(kDialogLibrary, "CommDlgExtendedError");
  DWORD missing = 0;  // the system's error code when one of them could not be had
};

const CommonDialogs& commonDialogs() {
  static const CommonDialogs dialogs;
  return dialogs;
}

// What the save and open dialogs share: the filter list and the buffer for the chosen path.
struct FileDialog {
  FileDialog(HWND owner, const std::string& filterPairs, const std::wstring& fileName,
             int filterIndex)
      : filter(widen(filterPairs)), file(MAX_PATH, L'\0') {
    // "desc|pattern|desc|pattern" becomes the double-zero-terminated list the dialogs take.
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    std::copy_n(fileName.begin(), std::min<std::size_t>(fileName.size(), MAX_PATH - 1),
                file.begin());
    fields.lStructSize = sizeof(fields);
    fields.hwndOwner = owner;
    fields.lpstrFilter = filter.c_str();
    fields.nFilterIndex = static_cast<DWORD>(filterIndex);
    fields.lpstrFile = file.data();
    fields.nMaxFile = static_cast<DWORD>(file.size());
  }
  EncodedText chosenPath() const { return heldText(file.c_str()); }

  std::wstring filter;
  std::wstring file;
  OPENFILENAMEW fields{};
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
    const bool captioned = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    if (captioned && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      reinterpret_cast<std::vector<HWND>*>(held)->push_back(window);
    }
    return TRUE;
  }

  HWND active_;
  std::vector<HWND> held_;
};

// Why a dialog ended without a path: 0 when the user cancelled.
std::uint32_t dialogFailure() {
  // Read first: asking the dialog why may change it.
  const DWORD systemError = GetLastError();
  // 0 when the user cancelled, whatever an earlier call left as the last error.
  const DWORD dialogError = commonDialogs().extendedError();
  if (dialogError == 0) return 0;
  return systemError != 0 ? systemError : dialogError;
}

constexpr DWORD kSaveDialogFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK;

}  // namespace

int Win32Interaction::messageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
  DialogsHeldBack held;
  return MessageBoxW(owner_, widen(text).c_str(), widen(caption).c_str(), style);
}

SaveDialogResult Win32Interaction::saveDialog(const SaveDialogRequest& request) {
  SaveDialogResult result;
  if (commonDialogs().missing) {
    result.lastError = commonDialogs().missing;
    return result;
  }
  const std::optional<std::wstring> folder = toWide(request.initialDir, request.encoding);
  const std::optional<std::wstring> name = toWide(request.fileName, request.encoding);
  if (!folder || !name) {
    result.lastError = ERROR_NO_UNICODE_TRANSLATION;
    return result;
  }
  FileDialog dialog(owner_, request.filter, *name, request.filterIndex);
  dialog.fields.lpstrInitialDir = folder->c_str();
  dialog.fields.Flags = kSaveDialogFlags;
  dialog.fields.lpfnHook = bringDialogForward;
  if (commonDialogs().save(&dialog.fields)) {
    EncodedText chosen = dialog.chosenPath();
    result.path = std::move(chosen.bytes);
    result.encoding = chosen.encoding;
    return result;
  }
  result.lastError = dialogFailure();
  return result;
}

std::optional<EncodedText> Win32Interaction::openFileDialog(const OpenDialogRequest& request) {
  if (commonDialogs().missing) return std::nullopt;
  DialogsHeldBack held;
  FileDialog dialog(owner_, request.filter, wideOf(request.fileName), 1);
  dialog.fields.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!commonDialogs().open(&dialog.fields)) return std::nullopt;
  return dialog.chosenPath();
}

std::optional<EncodedText> Win32Interaction::chooseFolder(const EncodedText& startDir) {
  DialogsHeldBack held;
  return runFolderChooser(owner_, startDir);
}

void Win32Interaction::playSound(const EncodedText& path, std::uint32_t flags) {
  static_assert(kSndAsync == SND_ASYNC && kSndNoDefault == SND_NODEFAULT &&
                kSndFilename == SND_FILENAME);
  playSoundFile(wideOf(path), flags);
}

void Win32Interaction::shellExecute(const std::string& file, const std::string& parameters) {
  ShellExecuteW(nullptr, nullptr, widen(file).c_str(), widen(parameters).c_str(), nullptr,
                SW_SHOWNORMAL);
}

}  // namespace qm
