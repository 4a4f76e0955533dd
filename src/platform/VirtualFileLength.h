// How much of a virtual file to take: what its descriptor announced, when it announced a size,
// else all the source gives. A source that ends sooner than announced gave a broken file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/Win32Codes.h"

namespace qm::virtual_file {

// The most to read next, 0 when the announced size has been read.
constexpr std::uint64_t wantedNext(std::optional<std::uint64_t> announced, std::uint64_t read,
                                   std::uint64_t chunk) {
  if (!announced) return chunk;
  return read >= *announced ? 0 : std::min(chunk, *announced - read);
}

// 0 when `read` bytes are the whole file, else the system error for a file that ended early.
constexpr std::uint32_t completeness(std::optional<std::uint64_t> announced, std::uint64_t read) {
  return announced && read < *announced ? kErrorHandleEof : kErrorSuccess;
}

}  // namespace qm::virtual_file
