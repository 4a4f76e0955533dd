#include "Crc32.h"

#include <array>

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> MakeTable() {
  std::array<std::uint32_t, 256> table = {};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t value = n;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ kPolynomial : value >> 1;
    table[n] = value;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

void Crc32::Add(const void* data, std::size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i)
    state_ = kTable[(state_ ^ bytes[i]) & 0xFF] ^ (state_ >> 8);
}
