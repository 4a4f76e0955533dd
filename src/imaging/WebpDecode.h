// WebP decoded with libwebp: the one format the system's imaging component does not read
// everywhere. Its colour profile comes along, and its EXIF orientation is applied to the pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "imaging/Picture.h"

namespace qm {

// Empty for anything that is not a whole still WebP of at most kMostPixels, and for an animated
// one: its frames are never flattened into one.
std::optional<Picture> decodeWebp(std::span<const std::uint8_t> bytes);

}  // namespace qm
