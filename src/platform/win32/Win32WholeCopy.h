// Copies a file so that a copy that fails leaves nothing of itself: no partial new file where
// there was none, and an old file that was to be replaced as it was. The system's CopyFile alone
// leaves a cut-off file behind when the disk fills, and has already emptied the old one.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// Each returns 0 or the system error code, as CopyFile would report it. Code page 932 paths go
// to the A functions as they are; wide paths are for names code page 932 cannot hold.
std::uint32_t copyWhole(const std::string& from, const std::string& to, bool failIfExists);
std::uint32_t copyWhole(const std::wstring& from, const std::wstring& to, bool failIfExists);

}  // namespace qm
