// A second, deliberately plain reading of the character rules, for the fuzz targets to hold the
// product's text helpers against: where each character of a byte string starts and how far it
// reaches, in code page 932 (lead byte ranges) and UTF-8 (the bit pattern of the first byte).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/Encoding.h"

namespace qm::fuzz {

struct RefChar {
  std::size_t start;
  std::size_t width;  // may reach past the end of the text: a lead byte that ends it
};

inline std::size_t refWidth(unsigned char byte, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp932) {
    const bool lead = (0x81 <= byte && byte <= 0x9F) || (0xE0 <= byte && byte <= 0xFC);
    return lead ? 2 : 1;
  }
  if ((byte & 0xE0) == 0xC0) return 2;  // 110xxxxx
  if ((byte & 0xF0) == 0xE0) return 3;  // 1110xxxx
  if ((byte & 0xF8) == 0xF0) return 4;  // 11110xxx
  return 1;  // ASCII, a stray continuation byte, or a byte no encoder writes
}

inline std::vector<RefChar> refChars(std::string_view text, TextEncoding encoding,
                                     std::size_t from = 0) {
  std::vector<RefChar> chars;
  for (std::size_t i = from; i < text.size();) {
    const std::size_t width = refWidth(static_cast<unsigned char>(text[i]), encoding);
    chars.push_back({i, width});
    i += width;
  }
  return chars;
}

// The last character that is one of `set`, or npos.
inline std::size_t refFindLast(std::string_view text, std::string_view set, TextEncoding encoding) {
  std::size_t found = std::string_view::npos;
  for (const RefChar& c : refChars(text, encoding)) {
    if (set.find(text[c.start]) != std::string_view::npos) found = c.start;
  }
  return found;
}

// The characters of `text` as byte strings, the last one cut where the text ends.
inline std::vector<std::string_view> refSplit(std::string_view text, TextEncoding encoding) {
  std::vector<std::string_view> parts;
  for (const RefChar& c : refChars(text, encoding)) parts.push_back(text.substr(c.start, c.width));
  return parts;
}

}  // namespace qm::fuzz
