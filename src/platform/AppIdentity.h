#pragma once

namespace qm {

// Caption of the program's simple message boxes and exception messages, and the name of the
// hidden owner window.
inline constexpr const char* kAppTitle = "Quillmarten";
// Name of the mutex that keeps a second copy from running.
inline constexpr const char* kMutexName = "Quillmarten";

}  // namespace qm
