// Opening a saved file's folder in Explorer with the file selected.
#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/Win32Interaction.h"
#include "platform/win32/Win32OwnFile.h"
#include "platform/win32/Win32Text.h"

namespace qm {

void Win32Interaction::showInFolder(const std::string& path, TextEncoding encoding) {
  const std::optional<std::wstring> wide = toWide(path, encoding);
  if (!wide) return;
  if (ITEMIDLIST* file = ILCreateFromPathW(wide->c_str())) {
    SHOpenFolderAndSelectItems(file, 0, nullptr, 0);
    ILFree(file);
    return;
  }
  // The file is gone since (taken back, say): its folder alone.
  ShellExecuteW(owner_, L"open", folderOf(*wide).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qm
