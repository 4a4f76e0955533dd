// How much of a virtual file to take: what its descriptor announced, when it announced a size,
// else all the source gives, up to the room the target's drive has. A source that ends sooner
// than announced gave a broken file; one that gives more than the room would fill the drive.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/Win32Codes.h"

namespace qm {

// Room when the drive does not say how much it has.
inline constexpr std::uint64_t kUnlimitedRoom = std::numeric_limits<std::uint64_t>::max();

namespace virtual_file {

// The most to read next, 0 when the announced size has been read. Without an announcement one
// byte past the room is read, which tells a file that does not fit from one that just fits.
constexpr std::uint64_t wantedNext(std::optional<std::uint64_t> announced, std::uint64_t read,
                                   std::uint64_t chunk, std::uint64_t room) {
  if (!announced) {
    if (read > room) return 0;
    const std::uint64_t left = room - read;
    return left >= chunk ? chunk : left + 1;
  }
  return read >= *announced ? 0 : std::min(chunk, *announced - read);
}

// 0 when `read` bytes are the whole file, else the system error: the file ended early, or it
// would not fit.
constexpr std::uint32_t completeness(std::optional<std::uint64_t> announced, std::uint64_t read,
                                     std::uint64_t room) {
  if (!announced) return read > room ? kErrorDiskFull : kErrorSuccess;
  return read < *announced ? kErrorHandleEof : kErrorSuccess;
}

}  // namespace virtual_file
}  // namespace qm
