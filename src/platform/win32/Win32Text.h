// Conversions between the program's byte strings and the system's UTF-16, for the few places that
// must use the wide functions: names that code page 932 cannot hold.
#pragma once

#include <optional>
#include <string>

#include "text/Encoding.h"

namespace qm {

// Code page 932 text converts as the A functions would convert it, so that a wide call names the
// same file; UTF-8 must be valid. Empty when it is not.
std::optional<std::wstring> toWide(const std::string& text, TextEncoding encoding);

// With `exact`, empty when a character has no form of its own in the encoding.
std::optional<std::string> fromWide(const std::wstring& text, TextEncoding encoding,
                                    bool exact = false);

}  // namespace qm
