#include "platform/win32/Win32LateFunction.h"

#include <optional>
#include <string>

#include "platform/SystemLibraryPath.h"

namespace qm {

HMODULE loadSystemLibrary(const wchar_t* library) {
  if (HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return module;
  }
  // Windows 7 without its loader update does not know the flag: the full path in the system
  // folder keeps the program's own folder out of the search, and the flag beside it has the
  // library's own imports looked for from there too.
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  const std::optional<std::wstring> path = systemLibraryPath(
      length < MAX_PATH ? std::wstring_view(folder, length) : std::wstring_view(), library);
  if (!path) return nullptr;
  return LoadLibraryExW(path->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace qm
