// Clears what a run that was killed half way through a save left in a folder (platform/Leftovers)
// over the system's wide file functions.
#pragma once

#include <string>

namespace qm {

// `folder` may end in a separator.
void sweepLeftoversIn(std::wstring folder);

}  // namespace qm
