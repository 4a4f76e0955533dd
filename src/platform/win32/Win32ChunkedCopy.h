// Copies one file into a new one as the system's CopyFile does, with its errors, the source's
// attributes and its time of last change, but in larger sequential reads and writes than the
// system's copy makes everywhere, so that a large image copies as fast as the disk allows.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// Makes `to` as a new file (never over one: ERROR_FILE_EXISTS) and copies `from` into it,
// flushed to the disk when `flush`. The copy is left writable so that a failure after it can
// still remove it: `keep` gets the attributes it is to carry once in place (0 when it already
// carries them all). Returns 0 or the system error code; a failure leaves nothing at `to`.
std::uint32_t copyToNewFile(const std::wstring& from, const std::wstring& to, bool flush,
                            std::uint32_t& keep);

}  // namespace qm
