// Byte-string helpers for code page 932 (Shift-JIS). All text in the program is held as bytes in
// this code page; a double-byte character's second byte may be '[', '\\' or ']', so every search
// for an ASCII character must step over whole characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace qm::text {

// 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool isLeadByte(unsigned char byte);

// The bytes of the character that starts with `byte`. In UTF-8 an ASCII byte is never part of
// another character; a stray continuation byte counts as a character of its own.
std::size_t charWidth(unsigned char byte, TextEncoding encoding);

// Position of the last occurrence of `ch` that is a character of its own (never the trail byte of
// a double-byte character), or npos.
std::size_t findLastChar(std::string_view text, char ch,
                         TextEncoding encoding = TextEncoding::Cp932);

// Position of the last character that is any of `chars`, or npos.
std::size_t findLastCharOf(std::string_view text, std::string_view chars,
                           TextEncoding encoding = TextEncoding::Cp932);

// `text` with every character `from` (never a trail byte) replaced by `to`.
std::string replaceChar(std::string_view text, char from, char to);

// The position just after `count` characters from `pos`, or the end when the text ends sooner.
// A lead byte that ends the text counts as a character of its own.
std::size_t skipChars(std::string_view text, std::size_t pos, std::size_t count,
                      TextEncoding encoding = TextEncoding::Cp932);

// How wide the text runs, in the columns code page 932 counts as bytes: a character of the
// Latin, Greek or Cyrillic scripts takes one, a character of the Asian scripts (or beyond the
// basic plane) two.
std::size_t columns(std::string_view text, TextEncoding encoding);

// How many UTF-16 code units the UTF-8 text takes: what the system's path limits count.
std::size_t utf16Length(std::string_view utf8);

// The longest prefix of `text` of at most `maxBytes` bytes that does not end inside a double-byte
// character.
std::string_view cutAtCharBoundary(std::string_view text, std::size_t maxBytes);

// What a buffer of `bufferBytes` holds of the text with its terminating zero, as the A functions
// fill one: whole characters while they fit, then the zero over the last byte when the
// characters filled the buffer, which may leave a lead byte alone at the end.
std::string_view fitInBuffer(std::string_view text, std::size_t bufferBytes);

}  // namespace qm::text
