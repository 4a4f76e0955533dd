// The code page 932 text helpers on any bytes, in both encodings where they take one: every
// result lies within the text, starts or ends on a character boundary, and agrees with the plain
// reading in ReferenceChars.h.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "ReferenceChars.h"
#include "text/Cp932.h"

namespace qm::fuzz {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isBoundary(std::string_view text, std::size_t pos, TextEncoding encoding) {
  if (pos == 0 || pos == text.size()) return true;
  for (const RefChar& c : refChars(text, encoding)) {
    if (c.start == pos) return true;
  }
  return false;
}

void checkWidths(std::string_view text) {
  for (const char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    for (const TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8}) {
      QM_FUZZ_CHECK(text::charWidth(b, e) == refWidth(b, e));
    }
    QM_FUZZ_CHECK(text::isLeadByte(b) == (refWidth(b, TextEncoding::Cp932) == 2));
  }
}

void checkSearches(std::string_view text, std::string_view set, TextEncoding encoding) {
  const std::size_t last = text::findLastCharOf(text, set, encoding);
  QM_FUZZ_CHECK(last == refFindLast(text, set, encoding));
  QM_FUZZ_CHECK(last == npos || (last < text.size() && isBoundary(text, last, encoding)));
  if (!set.empty()) {
    QM_FUZZ_CHECK(text::findLastChar(text, set[0], encoding) ==
                  refFindLast(text, set.substr(0, 1), encoding));
  }
}

void checkSkip(std::string_view text, std::size_t pos, std::size_t count, TextEncoding encoding) {
  const std::size_t end = text::skipChars(text, pos, count, encoding);
  QM_FUZZ_CHECK(end <= text.size());
  if (pos >= text.size()) {
    QM_FUZZ_CHECK(end == text.size());
    return;
  }
  // From any position the walk reads characters as if one started there.
  const std::vector<RefChar> chars = refChars(text, encoding, pos);
  const std::size_t expected = count < chars.size() ? chars[count].start : text.size();
  QM_FUZZ_CHECK(end == expected);
  if (isBoundary(text, pos, encoding)) QM_FUZZ_CHECK(isBoundary(text, end, encoding));
}

void checkCut(std::string_view text, std::size_t maxBytes) {
  const std::string_view cut = text::cutAtCharBoundary(text, maxBytes);
  QM_FUZZ_CHECK(cut.data() == text.data());
  QM_FUZZ_CHECK(cut.size() <= maxBytes && cut.size() <= text.size());
  QM_FUZZ_CHECK(isBoundary(text, cut.size(), TextEncoding::Cp932));
  // The longest such prefix: the next character would not have fitted whole.
  for (const RefChar& c : refChars(text, TextEncoding::Cp932)) {
    if (c.start == cut.size()) QM_FUZZ_CHECK(c.start + c.width > maxBytes);
  }
}

void checkReplace(std::string_view text, char from, char to) {
  const std::string replaced = text::replaceChar(text, from, to);
  QM_FUZZ_CHECK(replaced.size() == text.size());
  std::string expected(text);
  for (const RefChar& c : refChars(text, TextEncoding::Cp932)) {
    // Only a single-byte character can be `from`; a lead byte is half of one.
    if (c.width == 1 && text[c.start] == from) expected[c.start] = to;
  }
  QM_FUZZ_CHECK(replaced == expected);
}

void checkUtf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const RefChar& c : refChars(text, TextEncoding::Utf8)) units += c.width == 4 ? 2 : 1;
  const std::size_t length = text::utf16Length(text);
  QM_FUZZ_CHECK(length == units);
  // Never more units than bytes, unless the text ends inside a character (a cut four-byte one
  // still counts its pair).
  const std::vector<RefChar> chars = refChars(text, TextEncoding::Utf8);
  if (chars.empty() || chars.back().start + chars.back().width == text.size()) {
    QM_FUZZ_CHECK(length <= text.size());
  }
}

}  // namespace
}  // namespace qm::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm;
  using namespace qm::fuzz;
  FuzzedDataProvider input(data, size);
  const TextEncoding encoding = input.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Cp932;
  const std::size_t pos = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::size_t maxBytes = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::string set = input.ConsumeRandomLengthString(4);
  const std::string text = input.ConsumeRemainingBytesAsString();

  checkWidths(text);
  checkSearches(text, set, encoding);
  checkSkip(text, pos, count, encoding);
  checkCut(text, maxBytes);
  if (!set.empty()) checkReplace(text, set[0], set.size() > 1 ? set[1] : '_');
  checkUtf16Length(text);
  return 0;
}
