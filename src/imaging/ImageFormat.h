// What a dropped file holds, told from its bytes rather than its name: browsers name a WebP
// "photo.jpg" as often as not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qm {

enum class ImageFormat { Other, Bmp, Gif, Jpeg, Png, Tiff, Webp, Avif, Heic, JpegXl };

// Enough of a file's start to tell its format.
inline constexpr std::size_t kFormatSniffBytes = 64;

// The format whose signature the bytes start with; Other for anything else.
ImageFormat sniffImageFormat(std::span<const std::uint8_t> bytes);

// Whether the picture moves: an animated WebP, a GIF of more than one image, a PNG with an
// animation control (APNG), an AVIF image sequence. Reads only as far as it must; a file cut
// short counts the frames it has begun.
bool isAnimated(ImageFormat format, std::span<const std::uint8_t> bytes);

}  // namespace qm
