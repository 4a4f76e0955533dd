#include "platform/SystemLibraryPath.h"

#include "platform/Win32Codes.h"

namespace qm {

std::optional<std::wstring> systemLibraryPath(std::wstring_view systemFolder,
                                              std::wstring_view library) {
  if (systemFolder.empty() || library.empty()) return std::nullopt;
  std::wstring path(systemFolder);
  if (path.back() != L'\\') path += L'\\';
  path += library;
  if (path.size() >= kMaxPath) return std::nullopt;
  return path;
}

}  // namespace qm
