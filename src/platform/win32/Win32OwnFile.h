// Makes a new file of the program's own in a folder, under a name no other file has (see
// platform/OwnFiles.h), so that nothing the program leaves there by accident can be mistaken for
// the user's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace qm {

// `create` makes the file at the path it is given and answers 0 or the system error code; it is
// tried under fresh names while it answers that the name is taken. On success `path` holds the
// name it took. A folder too long for one more name answers ERROR_FILENAME_EXCED_RANGE.
std::uint32_t createOwnFile(const std::wstring& folder,
                            const std::function<std::uint32_t(const std::wstring&)>& create,
                            std::wstring& path);

// The folder part of a path, without its last separator; "." for a bare name.
std::wstring folderOf(const std::wstring& path);

}  // namespace qm
