// Where a system library is loaded from when the system cannot be told to look only in its own
// folder: Windows 7 without its loader update refuses that request. Then the library is named by
// its full path in the system folder, never by its bare name, which would look in the program's
// folder first and take a library of that name planted there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// Empty when the system folder is unknown or the path would not fit in MAX_PATH.
std::optional<std::wstring> systemLibraryPath(std::wstring_view systemFolder,
                                              std::wstring_view library);

}  // namespace qm
