// Which encoding a byte string is in. Everything the program shows and stores is code page 932;
// UTF-8 carries only the names that code page 932 cannot hold (a browser's virtual file named in
// Korean, a folder named "사진") on their way to the disk and the screen.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace qm {

enum class TextEncoding : std::uint8_t { Cp932, Utf8 };

// A name or path with the encoding of its bytes; plain bytes are code page 932.
struct EncodedText {
  EncodedText() = default;
  EncodedText(std::string text, TextEncoding textEncoding = TextEncoding::Cp932)
      : bytes(std::move(text)), encoding(textEncoding) {}
  EncodedText(const char* text) : bytes(text) {}

  std::string bytes;
  TextEncoding encoding = TextEncoding::Cp932;
  friend bool operator==(const EncodedText&, const EncodedText&) = default;
};

}  // namespace qm
