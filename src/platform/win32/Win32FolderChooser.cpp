#include "platform/win32/Win32FolderChooser.h"

#include <shlobj.h>
#include <winnetwk.h>

#include <array>
#include <cwctype>

#include "platform/AppIdentity.h"
#include "platform/win32/FolderChooserIds.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LateFunction.h"
#include "platform/win32/Win32Text.h"

namespace qm {
namespace {

constexpr const wchar_t* kFallbackFolder = L"C:\\";
constexpr const char* kCreateQuestion = "指定されたディレクトリが存在しません。作成しますか？";
constexpr const char* kQuestionCaption = "確認";
constexpr const char* kNotAFolderText = "指定された名前のファイルがあります。";

using PathBuffer = std::array<wchar_t, MAX_PATH>;

struct Chooser {
  std::wstring folder;  // shown in the lists, always with a trailing separator
  std::wstring chosen;
};

bool endsWithSeparator(const std::wstring& path) {
  return !path.empty() && path.back() == L'\\';
}

std::wstring withSeparator(std::wstring path) {
  if (!endsWithSeparator(path)) path += L'\\';
  return path;
}

// A drive root keeps its separator; any other folder loses it.
std::wstring withoutSeparator(std::wstring path) {
  if (endsWithSeparator(path) && path.size() > 3) path.pop_back();
  return path;
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int ask(HWND owner, const char* text, UINT style) {
  return MessageBoxW(owner, widen(text).c_str(), widen(kQuestionCaption).c_str(), style);
}

// `typed` relative to the shown folder, with "." and ".." resolved; empty when it does not fit.
std::wstring fullPath(const Chooser& chooser, const std::wstring& typed) {
  const bool absolute = typed.rfind(L'\\', 0) == 0 || (typed.size() >= 2 && typed[1] == L':');
  const std::wstring joined = absolute ? typed : chooser.folder + typed;
  PathBuffer full{};
  const DWORD length = GetFullPathNameW(joined.c_str(), full.size(), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return {};
  return std::wstring(full.data(), length);
}

std::wstring controlText(HWND dialog, int id) {
  PathBuffer buffer{};
  GetDlgItemTextW(dialog, id, buffer.data(), buffer.size());
  return buffer.data();
}

// DlgDirList lists the current folder. Given "C:\*.*", Wine lists the current folder instead of
// the root, so the folder is made current first and the pattern names files only.
bool listInto(HWND dialog, int list, int current, UINT kinds) {
  std::array<wchar_t, 4> pattern{L"*.*"};
  return DlgDirListW(dialog, pattern.data(), list, current, kinds) != 0;
}

void markDrive(HWND dialog, const std::wstring& folder) {
  PathBuffer pattern{};
  DlgDirListComboBoxW(dialog, pattern.data(), QM_FOLDER_DRIVES, 0, DDL_DRIVES | DDL_EXCLUSIVE);
  // The drive list names drives "[-c-]".
  const wchar_t letter = static_cast<wchar_t>(std::towlower(folder[0]));
  const std::wstring entry = std::wstring(L"[-") + letter + L"-]";
  SendDlgItemMessageW(dialog, QM_FOLDER_DRIVES, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(entry.c_str()));
}

bool showFolder(HWND dialog, Chooser& chooser, const std::wstring& folder) {
  const std::wstring shown = withSeparator(folder);
  if (!isFolder(shown) || !SetCurrentDirectoryW(shown.c_str()) ||
      !listInto(dialog, QM_FOLDER_TREE, QM_FOLDER_CURRENT, DDL_DIRECTORY | DDL_EXCLUSIVE)) {
    return false;
  }
  listInto(dialog, QM_FOLDER_FILES, 0, DDL_READWRITE | DDL_READONLY);
  chooser.folder = shown;
  markDrive(dialog, shown);
  SetDlgItemTextW(dialog, QM_FOLDER_NAME, withoutSeparator(shown).c_str());
  return true;
}

// The folder of the selected "[name]" or "[..]" entry.
std::wstring selectedFolder(HWND dialog, const Chooser& chooser) {
  PathBuffer name{};
  if (!DlgDirSelectExW(dialog, name.data(), name.size(), QM_FOLDER_TREE)) return {};
  return fullPath(chooser, name.data());
}

void openSelectedDrive(HWND dialog, Chooser& chooser) {
  PathBuffer drive{};
  DlgDirSelectComboBoxExW(dialog, drive.data(), drive.size(), QM_FOLDER_DRIVES);
  if (!showFolder(dialog, chooser, withSeparator(drive.data()))) {
    showFolder(dialog, chooser, chooser.folder);
  }
}

// OK: an existing folder is taken; a missing one is taken once the user agrees to make it.
void confirm(HWND dialog, Chooser& chooser) {
  const std::wstring typed = controlText(dialog, QM_FOLDER_NAME);
  const std::wstring path = withoutSeparator(fullPath(chooser, typed.empty() ? L"." : typed));
  if (path.empty()) return;
  if (exists(path) && !isFolder(path)) {
    ask(dialog, kNotAFolderText, MB_OK | MB_ICONERROR);
    return;
  }
  if (!exists(path) && ask(dialog, kCreateQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    SetFocus(GetDlgItem(dialog, QM_FOLDER_NAME));
    return;
  }
  chooser.chosen = path;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK chooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* chooser = reinterpret_cast<Chooser*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      chooser = reinterpret_cast<Chooser*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SendDlgItemMessageW(dialog, QM_FOLDER_NAME, EM_LIMITTEXT, MAX_PATH - 1, 0);
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
            const std::wstring folder = selectedFolder(dialog, *chooser);
            if (!folder.empty())
              SetDlgItemTextW(dialog, QM_FOLDER_NAME, withoutSeparator(folder).c_str());
          } else if (HIWORD(wParam) == LBN_DBLCLK) {
            const std::wstring folder = selectedFolder(dialog, *chooser);
            if (!folder.empty()) showFolder(dialog, *chooser, folder);
          }
          return TRUE;
        case QM_FOLDER_DRIVES:
          if (HIWORD(wParam) == CBN_SELCHANGE) openSelectedDrive(dialog, *chooser);
          return TRUE;
        case QM_FOLDER_NETWORK: {
          static decltype(WNetConnectionDialog)* const connect =
              lateFunction<decltype(WNetConnectionDialog)>(L"mpr.dll", "WNetConnectionDialog");
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
bool makeFolder(HWND owner, const std::wstring& path) {
  if (isFolder(path)) return true;
  const int result = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS) return true;
  Win32FileSystem files;
  MessageBoxW(owner, widen(files.systemMessage(static_cast<std::uint32_t>(result))).c_str(),
              widen(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

std::optional<EncodedText> runFolderChooser(HWND owner, const EncodedText& startDir) {
  // The directory lists move the current folder around; the program's own stays as it was.
  std::wstring current(MAX_PATH, L'\0');
  const DWORD currentLength = GetCurrentDirectoryW(MAX_PATH, current.data());
  Chooser chooser{startDir.bytes.empty() ? kFallbackFolder : wideOf(startDir), {}};
  const INT_PTR answer =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QM_FOLDER_CHOOSER), owner,
                      chooserProc, reinterpret_cast<LPARAM>(&chooser));
  if (currentLength > 0 && currentLength < MAX_PATH) SetCurrentDirectoryW(current.c_str());
  if (answer != IDOK || !makeFolder(owner, chooser.chosen)) return std::nullopt;
  return heldText(chooser.chosen);
}

}  // namespace qm
