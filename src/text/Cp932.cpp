#include "text/Cp932.h"

namespace qm::text {

bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t findLastCharOf(std::string_view text, std::string_view chars) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;  // the trail byte belongs to this character
    } else if (chars.find(text[i]) != std::string_view::npos) {
      found = i;
    }
  }
  return found;
}

std::size_t findLastChar(std::string_view text, char ch) {
  return findLastCharOf(text, std::string_view(&ch, 1));
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

std::size_t skipChars(std::string_view text, std::size_t pos, std::size_t count) {
  for (; count > 0 && pos < text.size(); --count) {
    pos += isLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
  }
  return pos < text.size() ? pos : text.size();
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

}  // namespace qm::text
