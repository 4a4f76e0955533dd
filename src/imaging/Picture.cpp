#include "imaging/Picture.h"

#include <utility>

namespace qm {
namespace {

constexpr std::size_t kAlpha = 3;

}  // namespace

bool hasTransparency(const Picture& picture) {
  for (std::size_t i = kAlpha; i < picture.bgra.size(); i += 4) {
    if (picture.bgra[i] != 0xFF) return true;
  }
  return false;
}

void layOnWhite(Picture& picture) {
  for (std::size_t i = 0; i + kAlpha < picture.bgra.size(); i += 4) {
    const unsigned alpha = picture.bgra[i + kAlpha];
    for (std::size_t c = 0; c < kAlpha; ++c) {
      const unsigned value = picture.bgra[i + c];
      // value * alpha + 255 * (255 - alpha), divided by 255 and rounded.
      picture.bgra[i + c] =
          static_cast<std::uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255);
    }
    picture.bgra[i + kAlpha] = 0xFF;
  }
}

std::vector<std::uint8_t> withoutAlpha(const Picture& picture) {
  std::vector<std::uint8_t> bgr;
  bgr.reserve(picture.bgra.size() / 4 * 3);
  for (std::size_t i = 0; i + kAlpha < picture.bgra.size(); i += 4) {
    bgr.insert(bgr.end(), picture.bgra.begin() + static_cast<std::ptrdiff_t>(i),
               picture.bgra.begin() + static_cast<std::ptrdiff_t>(i + kAlpha));
  }
  return bgr;
}

void applyOrientation(Picture& picture, int orientation) {
  if (orientation < 2 || orientation > 8) return;
  // Orientations 5 to 8 stand the picture on its side: width and height change places.
  const bool sideways = orientation >= 5;
  const std::uint32_t w = picture.width;
  const std::uint32_t h = picture.height;
  const std::uint32_t newWidth = sideways ? h : w;
  const std::uint32_t newHeight = sideways ? w : h;
  std::vector<std::uint8_t> turned(picture.bgra.size());
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      // Where the stored pixel (x, y) is shown.
      std::uint32_t nx = x;
      std::uint32_t ny = y;
      switch (orientation) {
        case 2:
          nx = w - 1 - x;
          break;
        case 3:
          nx = w - 1 - x;
          ny = h - 1 - y;
          break;
        case 4:
          ny = h - 1 - y;
          break;
        case 5:
          nx = y;
          ny = x;
          break;
        case 6:
          nx = h - 1 - y;
          ny = x;
          break;
        case 7:
          nx = h - 1 - y;
          ny = w - 1 - x;
          break;
        case 8:
          nx = y;
          ny = w - 1 - x;
          break;
      }
      const std::size_t from = (std::size_t{y} * w + x) * 4;
      const std::size_t to = (std::size_t{ny} * newWidth + nx) * 4;
      for (std::size_t c = 0; c < 4; ++c) turned[to + c] = picture.bgra[from + c];
    }
  }
  picture.bgra = std::move(turned);
  picture.width = newWidth;
  picture.height = newHeight;
}

}  // namespace qm
