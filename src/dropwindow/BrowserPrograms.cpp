#include "dropwindow/BrowserPrograms.h"

#include <algorithm>

namespace qm {
namespace {

// Only ASCII letters fold: every name in the table is ASCII, and a full-width letter in a file
// name is a different name.
wchar_t asciiLower(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
}

bool sameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  return std::ranges::equal(a, b,
                            [](wchar_t x, wchar_t y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace

bool isBrowserProgram(std::wstring_view imagePath) {
  const std::size_t separator = imagePath.rfind(L'\\');
  const std::wstring_view name =
      separator == std::wstring_view::npos ? imagePath : imagePath.substr(separator + 1);
  return std::ranges::any_of(kBrowserPrograms, [name](std::wstring_view known) {
    return sameIgnoringAsciiCase(name, known);
  });
}

}  // namespace qm
