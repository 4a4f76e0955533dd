// The one place where the program's text meets the system's UTF-16. Inside, text is code page
// 932 bytes, or UTF-8 for a name that code page 932 cannot hold; every call into Windows that
// takes or returns text uses its wide form, and this module converts with code page 932 named
// explicitly, never with the system's ANSI code page, which is 65001 or 1252 on many systems.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace qm {

// Code page 932 text as UTF-16, as the A functions of a Japanese Windows convert it.
std::wstring widen(std::string_view cp932);

// UTF-16 as code page 932, as the A functions of a Japanese Windows convert it: a character
// without a form of its own takes its best-fit look-alike, or "?" where there is none.
std::string narrow(std::wstring_view wide);

// Code page 932 converts as widen(); UTF-8 must be valid. Empty when it is not.
std::optional<std::wstring> toWide(std::string_view text, TextEncoding encoding);

// With `exact`, empty when a character has no form of its own in the encoding.
std::optional<std::string> fromWide(std::wstring_view text, TextEncoding encoding,
                                    bool exact = false);

// A name or path as the program holds it: code page 932 when every character has its own form
// there, so that it behaves byte for byte as it always did, UTF-8 otherwise.
EncodedText heldText(std::wstring_view wide);

// The wide form of a held text; a UTF-8 text that is not valid converts to an empty one.
std::wstring wideOf(const EncodedText& text);

}  // namespace qm
