// The last step of a copy over an old file, through ReplaceFileW: the new file takes the old
// one's place and keeps what made it the user's (attributes, security, the folder's view of it).
#pragma once

#include <string>

namespace qm {

// False with the last error set when the old file stays as it was.
bool replaceFileKeepingOld(const std::wstring& replacement, const std::wstring& target);

}  // namespace qm
