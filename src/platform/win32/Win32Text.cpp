#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace qm {
namespace {

// Named, not CP_ACP: the program's text is code page 932 whatever the system's code page is.
constexpr UINT kJapanese = 932;

UINT codePageOf(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 ? CP_UTF8 : kJapanese;
}

}  // namespace

std::optional<std::wstring> toWide(std::string_view text, TextEncoding encoding) {
  if (text.empty()) return std::wstring();
  const DWORD flags = encoding == TextEncoding::Utf8 ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(text.size());
  const UINT codePage = codePageOf(encoding);
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> fromWide(std::wstring_view text, TextEncoding encoding, bool exact) {
  if (text.empty()) return std::string();
  const UINT codePage = codePageOf(encoding);
  // UTF-8 takes every character; code page 932 may only pretend to, with "?" or a look-alike.
  const bool checkFit = exact && encoding == TextEncoding::Cp932;
  const DWORD flags = checkFit ? WC_NO_BEST_FIT_CHARS : 0;
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr,
                                         checkFit ? &usedDefault : nullptr);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), length, nullptr, nullptr);
  // Nothing may change on the way back either.
  if (checkFit && toWide(bytes, encoding) != text) return std::nullopt;
  return bytes;
}

std::wstring widen(std::string_view cp932) {
  return toWide(cp932, TextEncoding::Cp932).value_or(std::wstring());
}

std::string narrow(std::wstring_view wide) {
  return fromWide(wide, TextEncoding::Cp932).value_or(std::string());
}

EncodedText heldText(std::wstring_view wide) {
  if (std::optional<std::string> cp932 = fromWide(wide, TextEncoding::Cp932, true)) {
    return {std::move(*cp932), TextEncoding::Cp932};
  }
  return {fromWide(wide, TextEncoding::Utf8).value_or(std::string()), TextEncoding::Utf8};
}

std::wstring wideOf(const EncodedText& text) {
  return toWide(text.bytes, text.encoding).value_or(std::wstring());
}

}  // namespace qm
