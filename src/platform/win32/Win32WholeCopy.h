// Copies a file so that a copy that fails leaves nothing of itself and never costs an old file:
// the road of platform/WholeCopyRoad over the system's wide file functions and its Recycle Bin.
#pragma once

#include <string>

#include "platform/CopyOutcome.h"

namespace qm {

CopyOutcome copyWhole(const std::wstring& from, const std::wstring& to, bool failIfExists);

}  // namespace qm
