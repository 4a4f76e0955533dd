// Copies one file to another as the system's CopyFile does, with its errors, the source's
// attributes and its time of last change, but in larger sequential reads and writes: under Wine
// CopyFile moves 64 KiB at a time, and a large image copies slower than the disk allows.
#pragma once

#include <string>

namespace qm {

// true, or false with the system error code in GetLastError, as CopyFile answers. With
// `failIfExists` an existing target is left alone (ERROR_FILE_EXISTS); else it is overwritten.
bool copyFileInChunks(const std::string& from, const std::string& to, bool failIfExists);
bool copyFileInChunks(const std::wstring& from, const std::wstring& to, bool failIfExists);

}  // namespace qm
