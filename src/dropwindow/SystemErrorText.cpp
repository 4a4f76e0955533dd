#include "dropwindow/SystemErrorText.h"

namespace qm {
namespace {

constexpr unsigned char kDelete = 0x7F;

// Byte-wise is safe at the end of code page 932 text: no trail byte is a space, a control
// character or ".".
bool isTrailingJunk(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  return byte <= ' ' || byte == kDelete || ch == '.';
}

}  // namespace

std::string systemErrorText(std::string message, std::uint32_t code) {
  while (!message.empty() && isTrailingJunk(message.back())) message.pop_back();
  return message.empty() ? std::to_string(code) : message;
}

}  // namespace qm
