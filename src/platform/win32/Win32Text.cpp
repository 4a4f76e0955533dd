#include "platform/win32/Win32Text.h"

#include <windows.h>

namespace qm {
namespace {

UINT codePageOf(TextEncoding encoding) {
  return encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
}

}  // namespace

std::optional<std::wstring> toWide(const std::string& text, TextEncoding encoding) {
  if (text.empty()) return std::wstring();
  const DWORD flags = encoding == TextEncoding::Utf8 ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(codePageOf(encoding), flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePageOf(encoding), flags, text.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> fromWide(const std::wstring& text, TextEncoding encoding, bool exact) {
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

}  // namespace qm
