#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm {

// The modal folder chooser: starts at `startDir`, lets the user name a folder that does not exist
// yet, asks before it is made and then makes it with its missing parents. Empty when cancelled.
std::optional<std::string> runFolderChooser(HWND owner, const std::string& startDir);

}  // namespace qm
