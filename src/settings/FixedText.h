// A zero-terminated text in a fixed-width byte field, as the settings file holds it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/Cp932.h"

namespace qm {

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kSize = N;

  // The text up to the first zero byte; a field without one yields all N bytes.
  std::string str() const {
    std::size_t len = 0;
    while (len < N && bytes_[len] != '\0') ++len;
    return std::string(bytes_.data(), len);
  }
  bool empty() const { return bytes_[0] == '\0'; }

  // Stores at most N - 1 bytes, never cutting a double-byte character, and clears the rest.
  void assign(std::string_view text) {
    const std::string_view kept = text::cutAtCharBoundary(text, N - 1);
    bytes_.fill('\0');
    kept.copy(bytes_.data(), kept.size());
  }

  std::array<char, N>& bytes() { return bytes_; }
  const std::array<char, N>& bytes() const { return bytes_; }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<char, N> bytes_{};
};

}  // namespace qm
