#include "platform/win32/Win32FolderChooser.h"

#include <shlobj.h>
#include <winnetwk.h>

#include <array>
#include <cctype>

#include "platform/AppIdentity.h"
#include "platform/win32/FolderChooserIds.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LateFunction.h"
#include "text/Cp932.h"

namespace qm {
namespace {

constexpr const char* kFallbackFolder = "C:\\";
constexpr const char* kCreateQuestion = "指定されたディレクトリが存在しません。作成しますか？";
constexpr const char* kQuestionCaption = "確認";
constexpr const char* kNotAFolderText = "指定された名前のファイルがあります。";

using PathBuffer = std::array<char, MAX_PATH>;

struct Chooser {
  std::string folder;  // shown in the lists, always with a trailing separator
  std::string chosen;
};

bool endsWithSeparator(const std::string& path) {
  return !path.empty() && text::findLastChar(path, '\\') == path.size() - 1;
}

std::string withSeparator(std::string path) {
  if (!endsWithSeparator(path)) path += '\\';
  return path;
}

// A drive root keeps its separator; any other folder loses it.
std::string withoutSeparator(std::string path) {
  if (endsWithSeparator(path) && path.size() > 3) path.pop_back();
  return path;
}

bool isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// `typed` relative to the shown folder, with "." and ".." resolved; empty when it does not fit.
std::string fullPath(const Chooser& chooser, const std::string& typed) {
  const bool absolute = typed.rfind('\\', 0) == 0 || (typed.size() >= 2 && typed[1] == ':');
  const std::string joined = absolute ? typed : chooser.folder + typed;
  PathBuffer full{};
  const DWORD length = GetFullPathNameA(joined.c_str(), full.size(), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return {};
  return std::string(full.data(), length);
}

std::string controlText(HWND dialog, int id) {
  PathBuffer buffer{};
  GetDlgItemTextA(dialog, id, buffer.data(), buffer.size());
  return buffer.data();
}

// DlgDirList lists the current folder. Given "C:\*.*", Wine lists the current folder instead of
// the root, so the folder is made current first and the pattern names files only.
bool listInto(HWND dialog, int list, int current, UINT kinds) {
  std::array<char, 4> pattern{"*.*"};
  return DlgDirListA(dialog, pattern.data(), list, current, kinds) != 0;
}

void markDrive(HWND dialog, const std::string& folder) {
  PathBuffer pattern{};
  DlgDirListComboBoxA(dialog, pattern.data(), QM_FOLDER_DRIVES, 0, DDL_DRIVES | DDL_EXCLUSIVE);
  // The drive list names drives "[-c-]".
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(folder[0])));
  const std::string entry = std::string("[-") + letter + "-]";
  SendDlgItemMessageA(dialog, QM_FOLDER_DRIVES, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(entry.c_str()));
}

bool showFolder(HWND dialog, Chooser& chooser, const std::string& folder) {
  const std::string shown = withSeparator(folder);
  if (!isFolder(shown) || !SetCurrentDirectoryA(shown.c_str()) ||
      !listInto(dialog, QM_FOLDER_TREE, QM_FOLDER_CURRENT, DDL_DIRECTORY | DDL_EXCLUSIVE)) {
    return false;
  }
  listInto(dialog, QM_FOLDER_FILES, 0, DDL_READWRITE | DDL_READONLY);
  chooser.folder = shown;
  markDrive(dialog, shown);
  SetDlgItemTextA(dialog, QM_FOLDER_NAME, withoutSeparator(shown).c_str());
  return true;
}

// The folder of the selected "[name]" or "[..]" entry.
std::string selectedFolder(HWND dialog, const Chooser& chooser) {
  PathBuffer name{};
  if (!DlgDirSelectExA(dialog, name.data(), name.size(), QM_FOLDER_TREE)) return {};
  return fullPath(chooser, name.data());
}

void openSelectedDrive(HWND dialog, Chooser& chooser) {
  PathBuffer drive{};
  DlgDirSelectComboBoxExA(dialog, drive.data(), drive.size(), QM_FOLDER_DRIVES);
  if (!showFolder(dialog, chooser, withSeparator(drive.data()))) {
    showFolder(dialog, chooser, chooser.folder);
  }
}

// OK: an existing folder is taken; a missing one is taken once the user agrees to make it.
void confirm(HWND dialog, Chooser& chooser) {
  const std::string typed = controlText(dialog, QM_FOLDER_NAME);
  const std::string path = withoutSeparator(fullPath(chooser, typed.empty() ? "." : typed));
  if (path.empty()) return;
  if (exists(path) && !isFolder(path)) {
    MessageBoxA(dialog, kNotAFolderText, kQuestionCaption, MB_OK | MB_ICONERROR);
    return;
  }
  if (!exists(path) &&
      MessageBoxA(dialog, kCreateQuestion, kQuestionCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    SetFocus(GetDlgItem(dialog, QM_FOLDER_NAME));
    return;
  }
  chooser.chosen = path;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK chooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* chooser = reinterpret_cast<Chooser*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      chooser = reinterpret_cast<Chooser*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SendDlgItemMessageA(dialog, QM_FOLDER_NAME, EM_LIMITTEXT, MAX_PATH - 1, 0);
      if (!showFolder(dialog, *chooser, chooser->folder))
        showFolder(dialog, *chooser, kFallbackFolder);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          confirm(dialog, *chooser);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case QM_FOLDER_TREE:
          if (HIWORD(wParam) == LBN_SELCHANGE) {
            const std::string folder = selectedFolder(dialog, *chooser);
            if (!folder.empty())
              SetDlgItemTextA(dialog, QM_FOLDER_NAME, withoutSeparator(folder).c_str());
          } else if (HIWORD(wParam) == LBN_DBLCLK) {
            const std::string folder = selectedFolder(dialog, *chooser);
            if (!folder.empty()) showFolder(dialog, *chooser, folder);
          }
          return TRUE;
        case QM_FOLDER_DRIVES:
          if (HIWORD(wParam) == CBN_SELCHANGE) openSelectedDrive(dialog, *chooser);
          return TRUE;
        case QM_FOLDER_NETWORK: {
          static decltype(WNetConnectionDialog)* const connect =
              lateFunction<decltype(WNetConnectionDialog)>("mpr.dll", "WNetConnectionDialog");
          if (connect) connect(dialog, RESOURCETYPE_DISK);
          showFolder(dialog, *chooser, chooser->folder);
          return TRUE;
        }
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// Makes the folder and every missing folder above it; tells the user when that fails.
bool makeFolder(HWND owner, const std::string& path) {
  if (isFolder(path)) return true;
  const int result = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS) return true;
  Win32FileSystem files;
  MessageBoxA(owner, files.systemMessage(static_cast<std::uint32_t>(result)).c_str(), kAppTitle,
              MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

std::optional<std::string> runFolderChooser(HWND owner, const std::string& startDir) {
  // The directory lists move the current folder around; the program's own stays as it was.
  PathBuffer current{};
  const DWORD currentLength = GetCurrentDirectoryA(current.size(), current.data());
  Chooser chooser{startDir.empty() ? kFallbackFolder : startDir, {}};
  const INT_PTR answer =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(QM_FOLDER_CHOOSER), owner,
                      chooserProc, reinterpret_cast<LPARAM>(&chooser));
  if (currentLength > 0 && currentLength < current.size()) SetCurrentDirectoryA(current.data());
  if (answer != IDOK || !makeFolder(owner, chooser.chosen)) return std::nullopt;
  return chooser.chosen;
}

}  // namespace qm
