// Which way up a photo is meant to be shown: the EXIF orientation tag (1 to 8; 1 is upright) that
// cameras write instead of turning the pixels. A decoded picture loses it, so the pixels are
// turned before they are written anew.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/ImageFormat.h"

namespace qm {

inline constexpr int kUpright = 1;

// From EXIF data: a TIFF header and its first directory (what a WebP's "EXIF" chunk and a
// JPEG's APP1 segment after "Exif\0\0" hold, and how a TIFF file starts).
int exifOrientation(std::span<const std::uint8_t> tiff);

// From a whole file of the given format; upright where the format or the file says nothing.
int orientationOf(ImageFormat format, std::span<const std::uint8_t> bytes);

}  // namespace qm
