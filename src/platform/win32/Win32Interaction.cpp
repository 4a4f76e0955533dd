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
#include "text/Cp932.h"

namespace qm {
namespace {

constexpr const char* kDialogLibrary = "comdlg32.dll";

// The common dialogs' functions, looked up at the first dialog.
struct CommonDialogs {
  CommonDialogs() {
    if (saveA && saveW && openA && extendedError) return;
    missing = GetLastError();
    if (!missing) missing = ERROR_PROC_NOT_FOUND;
  }
  decltype(GetSaveFileNameA)* saveA =
      lateFunction<decltype(GetSaveFileNameA)>(kDialogLibrary, "GetSaveFileNameA");
  decltype(GetSaveFileNameW)* saveW =
      lateFunction<decltype(GetSaveFileNameW)>(kDialogLibrary, "GetSaveFileNameW");
  decltype(GetOpenFileNameA)* openA =
      lateFunction<decltype(GetOpenFileNameA)>(kDialogLibrary, "GetOpenFileNameA");
  decltype(CommDlgExtendedError)* extendedError =
      lateFunction<decltype(CommDlgExtendedError)>(kDialogLibrary, "CommDlgExtendedError");
  DWORD missing = 0;  // the system's error code when one of them could not be had
};

const CommonDialogs& commonDialogs() {
  static const CommonDialogs dialogs;
  return dialogs;
}

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

// The same dialog through the wide function, for a name that code page 932 cannot hold: the
// folder, the name and the chosen path are UTF-8.
SaveDialogResult wideSaveDialog(HWND owner, const SaveDialogRequest& request) {
  SaveDialogResult result;
  const std::optional<std::wstring> filterText = toWide(request.filter, TextEncoding::Cp932);
  const std::optional<std::wstring> folder = toWide(request.initialDir, TextEncoding::Utf8);
  const std::optional<std::wstring> name = toWide(request.fileName, TextEncoding::Utf8);
  if (!filterText || !folder || !name) {
    result.lastError = ERROR_NO_UNICODE_TRANSLATION;
    return result;
  }
  std::vector<wchar_t> filter(filterText->begin(), filterText->end());
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.insert(filter.end(), {L'\0', L'\0'});
  std::vector<wchar_t> file(MAX_PATH, L'\0');
  std::copy_n(name->begin(), std::min<std::size_t>(name->size(), MAX_PATH - 1), file.begin());

  OPENFILENAMEW fields{};
  fields.lStructSize = sizeof(fields);
  fields.hwndOwner = owner;
  fields.lpstrFilter = filter.data();
  fields.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  fields.lpstrFile = file.data();
  fields.nMaxFile = static_cast<DWORD>(file.size());
  fields.lpstrInitialDir = folder->c_str();
  fields.Flags = kSaveDialogFlags;
  fields.lpfnHook = bringDialogForward;
  if (commonDialogs().saveW(&fields)) {
    result.path = fromWide(file.data(), TextEncoding::Utf8);
    if (!result.path) result.lastError = ERROR_NO_UNICODE_TRANSLATION;
    return result;
  }
  result.lastError = dialogFailure();
  return result;
}

}  // namespace

int Win32Interaction::messageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
  DialogsHeldBack held;
  return MessageBoxA(owner_, text.c_str(), caption.c_str(), style);
}

SaveDialogResult Win32Interaction::saveDialog(const SaveDialogRequest& request) {
  SaveDialogResult result;
  if (commonDialogs().missing) {
    result.lastError = commonDialogs().missing;
    return result;
  }
  if (request.encoding == TextEncoding::Utf8) return wideSaveDialog(owner_, request);
  FileDialog dialog(owner_, request.filter, request.fileName, request.filterIndex);
  dialog.fields.lpstrInitialDir = request.initialDir.c_str();
  dialog.fields.Flags = kSaveDialogFlags;
  dialog.fields.lpfnHook = bringDialogForward;
  if (commonDialogs().saveA(&dialog.fields)) {
    result.path = dialog.chosenPath();
    return result;
  }
  result.lastError = dialogFailure();
  return result;
}

std::optional<std::string> Win32Interaction::openFileDialog(const OpenDialogRequest& request) {
  if (commonDialogs().missing) return std::nullopt;
  DialogsHeldBack held;
  FileDialog dialog(owner_, request.filter, request.fileName, 1);
  dialog.fields.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!commonDialogs().openA(&dialog.fields)) return std::nullopt;
  return dialog.chosenPath();
}

std::optional<std::string> Win32Interaction::chooseFolder(const std::string& startDir) {
  DialogsHeldBack held;
  return runFolderChooser(owner_, startDir);
}

void Win32Interaction::playSound(const std::string& path, std::uint32_t flags) {
  static_assert(kSndAsync == SND_ASYNC && kSndNoDefault == SND_NODEFAULT &&
                kSndFilename == SND_FILENAME);
  playSoundFile(path, flags);
}

void Win32Interaction::shellExecute(const std::string& file, const std::string& parameters) {
  ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace qm
