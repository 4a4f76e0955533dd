// A decoded picture: rows of blue, green, red and alpha bytes, top row first, alpha not
// premultiplied. What every decoder hands the encoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

struct Picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> bgra;        // width * 4 bytes a row, no padding
  std::vector<std::uint8_t> iccProfile;  // the colour profile the picture came with, if any

  std::size_t stride() const { return std::size_t{width} * 4; }
};

// Larger pictures are kept as they are: decoded, they would take more than 400 MB.
inline constexpr std::uint64_t kMostPixels = 100'000'000;

inline bool fitsInMemory(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width * height <= kMostPixels;
}

// Whether any pixel lets what lies behind it show.
bool hasTransparency(const Picture& picture);

// Every pixel laid on white, opaque: what a format without transparency shows of it.
void layOnWhite(Picture& picture);

// Rows of blue, green and red bytes, width * 3 bytes a row: the alpha left out.
std::vector<std::uint8_t> withoutAlpha(const Picture& picture);

// Turns and mirrors the pixels as an EXIF orientation (1 to 8) asks, so that the picture shows
// the right way up where no orientation travels with it. Other values leave it as it is.
void applyOrientation(Picture& picture, int orientation);

}  // namespace qm
