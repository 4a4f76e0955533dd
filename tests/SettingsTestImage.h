// Settings file images built by hand for the settings tests: the offsets here are written out
// from the file layout, not taken from the product's constants, so the two check each other.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qm::test {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kImageBytes = 17796;
constexpr std::size_t kSoundAt = 17536;

// Folder list k starts at 16 + 3504 k; slot i lies 292 i further; its path follows 32 bytes on.
constexpr std::size_t nameAt(int list, int slot) {
  return 16 + 3504 * static_cast<std::size_t>(list) + 292 * static_cast<std::size_t>(slot);
}
constexpr std::size_t pathAt(int list, int slot) {
  return nameAt(list, slot) + 32;
}

inline void putBytes(Bytes& image, std::size_t offset, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    image.at(offset + i) = static_cast<std::uint8_t>(bytes[i]);
  }
}

// An image of zeros with the given header, numbers little-endian.
inline Bytes imageWithHeader(std::int16_t mode, std::int16_t size, std::uint8_t flags,
                             std::int8_t last) {
  const auto m = static_cast<std::uint16_t>(mode);
  const auto s = static_cast<std::uint16_t>(size);
  Bytes image(kImageBytes, 0);
  const Bytes header{static_cast<std::uint8_t>(m),
                     static_cast<std::uint8_t>(m >> 8),
                     static_cast<std::uint8_t>(s),
                     static_cast<std::uint8_t>(s >> 8),
                     flags,
                     static_cast<std::uint8_t>(last)};
  std::copy(header.begin(), header.end(), image.begin());
  return image;
}

// A valid file (save mode 2, size 1, flags 0x30, last index 4, reserved zero) whose lists and
// sound path hold arbitrary bytes: texts, zeros and leftovers after them, as a file of long use
// would.
inline Bytes scrambledImage(std::uint32_t seed) {
  Bytes image = imageWithHeader(2, 1, 0x30, 4);
  std::uint32_t state = seed;
  for (std::size_t i = 16; i < image.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    const auto byte = static_cast<std::uint8_t>(state >> 24);
    image[i] = byte < 0x20 ? 0 : byte;  // about one byte in eight is a zero
  }
  return image;
}

}  // namespace qm::test
