#include "platform/win32/Win32Interaction.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

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

int CALLBACK startFolderAt(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

}  // namespace

int Win32Interaction::messageBox(const std::string& text, const std::string& caption,
                                 unsigned style) {
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
    return result;
  }
  // Read first: asking the dialog why may change it.
  const DWORD systemError = GetLastError();
  // 0 when the user cancelled, whatever an earlier call left as the last error.
  const DWORD dialogError = CommDlgExtendedError();
  if (dialogError != 0) result.lastError = systemError != 0 ? systemError : dialogError;
  return result;
}

std::optional<std::string> Win32Interaction::openFileDialog(const OpenDialogRequest& request) {
  FileDialog dialog(owner_, request.filter, request.fileName, 1);
  dialog.fields.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameA(&dialog.fields)) return std::nullopt;
  return dialog.chosenPath();
}

std::optional<std::string> Win32Interaction::chooseFolder(const std::string& startDir) {
  char chosen[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = owner_;
  browse.pszDisplayName = chosen;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  browse.lpfn = startFolderAt;
  browse.lParam = reinterpret_cast<LPARAM>(startDir.c_str());
  PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
  if (!item) return std::nullopt;
  const bool found = SHGetPathFromIDListA(item, chosen) != FALSE;
  CoTaskMemFree(item);
  if (!found) return std::nullopt;
  return std::string(chosen);
}

void Win32Interaction::playSound(const std::string& path) {
  PlaySoundA(path.c_str(), nullptr, SND_FILENAME);
}

void Win32Interaction::shellExecute(const std::string& file, const std::string& parameters) {
  ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace qm
