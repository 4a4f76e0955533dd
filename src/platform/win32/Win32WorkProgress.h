// What the byte loops tell of the work running aside on their thread; on any other thread they
// tell nothing.
#pragma once

#include <cstdint>
#include <optional>

namespace qm {

// A new stretch of bytes begins: `total` of them, when that is known.
void noteBytesComing(std::optional<std::uint64_t> total);
void noteBytesDone(std::uint64_t count);

}  // namespace qm
