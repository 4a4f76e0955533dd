#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "text/Encoding.h"

namespace qm {

// The modal folder chooser: starts at `startDir`, lets the user name a folder that does not exist
// yet, asks before it is made and then makes it with its missing parents. Empty when cancelled.
std::optional<EncodedText> runFolderChooser(HWND owner, const EncodedText& startDir);

}  // namespace qm
