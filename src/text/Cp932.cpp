#include "text/Cp932.h"

#include <algorithm>

namespace qm::text {

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t charWidth(unsigned char byte, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp932) return isLeadByte(byte) ? 2 : 1;
  if (byte >= 0xF0 && byte <= 0xF7) return 4;
  if (byte >= 0xE0) return byte <= 0xEF ? 3 : 1;
  if (byte >= 0xC0) return 2;
  return 1;
}

std::size_t findLastCharOf(std::string_view text, std::string_view chars, TextEncoding encoding) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();
       i += charWidth(static_cast<unsigned char>(text[i]), encoding)) {
    if (chars.find(text[i]) != std::string_view::npos) found = i;
  }
  return found;
}

std::size_t findLastChar(std::string_view text, char ch, TextEncoding encoding) {
  return findLastCharOf(text, std::string_view(&ch, 1), encoding);
}

std::string replaceChar(std::string_view text, char from, char to) {
  std::string replaced(text);
  for (std::size_t i = 0; i < replaced.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(replaced[i]))) {
      ++i;
    } else if (replaced[i] == from) {
      replaced[i] = to;
    }
  }
  return replaced;
}

std::size_t skipChars(std::string_view text, std::size_t pos, std::size_t count,
                      TextEncoding encoding) {
  for (; count > 0 && pos < text.size(); --count) {
    pos += charWidth(static_cast<unsigned char>(text[pos]), encoding);
  }
  return pos < text.size() ? pos : text.size();
}

std::size_t columns(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp932) return text.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = charWidth(static_cast<unsigned char>(text[i]), TextEncoding::Utf8);
    count += width >= 3 ? 2 : 1;
    i += width;
  }
  return count;
}

std::size_t utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t width = charWidth(static_cast<unsigned char>(utf8[i]), TextEncoding::Utf8);
    units += width == 4 ? 2 : 1;  // beyond the basic plane: a surrogate pair
    i += width;
  }
  return units;
}

std::string_view cutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = isLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return text.substr(0, end > text.size() ? text.size() : end);
}

std::string_view fitInBuffer(std::string_view text, std::size_t bufferBytes) {
  if (bufferBytes == 0) return {};
  const std::string_view whole = cutAtCharBoundary(text, bufferBytes);
  return whole.substr(0, std::min(whole.size(), bufferBytes - 1));
}

}  // namespace qm::text
