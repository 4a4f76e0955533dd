// The name clean-up, numbered candidates, the leaf of a virtual name and the dialog's filter
// index on any name: results are made of the name's own characters, whole, with only the
// documented ones taken out or put in, and never longer than the name plus the digits.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>

#include "FuzzCheck.h"
#include "ReferenceChars.h"
#include "dropwindow/FileNames.h"
#include "dropwindow/SaveDialogFilter.h"

namespace qm::fuzz {
namespace {

constexpr std::size_t npos = std::string::npos;

// Erases whole characters, `count` of them from the one starting at `start`.
std::string eraseChars(std::string_view text, std::size_t start, std::size_t count,
                       TextEncoding encoding) {
  const std::vector<RefChar> chars = refChars(text, encoding, start);
  const std::size_t end = count < chars.size() ? chars[count].start : text.size();
  return std::string(text.substr(0, start)) + std::string(text.substr(end));
}

void checkCleanBrackets(std::string_view name, TextEncoding encoding) {
  const std::string cleaned = file_names::cleanBrackets(name, encoding);
  std::string expected(name);
  const std::size_t open = refFindLast(expected, "[", encoding);
  if (open != npos) {
    expected = eraseChars(expected, open, 3, encoding);
    const std::size_t close = refFindLast(expected, "]", encoding);
    if (close != npos) expected = eraseChars(expected, close, 1, encoding);
  }
  QM_FUZZ_CHECK(cleaned == expected);
  QM_FUZZ_CHECK(cleaned.size() <= name.size());
  // Whole characters only: what is left reads as the same characters it was made of.
  const auto before = refSplit(name, encoding);
  const auto after = refSplit(cleaned, encoding);
  QM_FUZZ_CHECK(after.size() <= before.size() && before.size() - after.size() <= 4);
  std::size_t matched = 0;
  for (const std::string_view c : before) {
    if (matched < after.size() && after[matched] == c) ++matched;
  }
  QM_FUZZ_CHECK(matched == after.size());
}

void checkNumbered(std::string_view name, unsigned n, TextEncoding encoding) {
  const std::string digits = std::to_string(n);
  const std::string candidate = file_names::numbered(name, n, encoding);
  const std::size_t dot = refFindLast(name, ".", encoding);
  const std::size_t at = dot == npos ? name.size() : dot;
  QM_FUZZ_CHECK(candidate.size() == name.size() + digits.size());
  QM_FUZZ_CHECK(candidate.substr(0, at) == name.substr(0, at));
  QM_FUZZ_CHECK(candidate.substr(at, digits.size()) == digits);
  QM_FUZZ_CHECK(candidate.substr(at + digits.size()) == name.substr(at));
}

void checkLeaf(std::string_view name, TextEncoding encoding) {
  const std::string leaf = file_names::leafOfVirtualName(name, encoding);
  QM_FUZZ_CHECK(leaf.size() <= name.size());
  const std::size_t start = name.size() - leaf.size();
  QM_FUZZ_CHECK(name.substr(start) == leaf);
  // It begins just after a separator of its own, or the name had none.
  QM_FUZZ_CHECK(start == 0 || refFindLast(name, "\\/:", encoding) == start - 1);
  if (start == 0) QM_FUZZ_CHECK(refFindLast(name, "\\/:", encoding) == npos);
  for (const RefChar& c : refChars(name, encoding)) {
    if (c.start >= start) QM_FUZZ_CHECK(std::string_view("\\/:").find(name[c.start]) == npos);
  }
}

void checkFileNameOf(std::string_view path) {
  const std::string leaf = file_names::fileNameOf(path);
  const std::size_t separator = refFindLast(path, "\\:", TextEncoding::Cp932);
  QM_FUZZ_CHECK(leaf == path.substr(separator == npos ? 0 : separator + 1));
}

void checkFilterIndex(std::string_view name, TextEncoding encoding) {
  static const std::map<std::string, int> kByExtension{{"bmp", 1}, {"jpg", 2}, {"jpeg", 2},
                                                       {"jpe", 2}, {"gif", 3}, {"tiff", 4},
                                                       {"tif", 4}, {"png", 5}};
  const std::size_t dot = refFindLast(name, ".", encoding);
  int expected = 6;
  if (dot != npos) {
    const auto row = kByExtension.find(std::string(name.substr(dot + 1)));
    if (row != kByExtension.end()) expected = row->second;
  }
  QM_FUZZ_CHECK(filterIndexFor(name, encoding) == expected);
}

}  // namespace
}  // namespace qm::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm;
  using namespace qm::fuzz;
  FuzzedDataProvider input(data, size);
  const TextEncoding encoding = input.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Cp932;
  const unsigned n = input.ConsumeIntegral<unsigned>();
  const std::string name = input.ConsumeRemainingBytesAsString();

  checkCleanBrackets(name, encoding);
  checkNumbered(name, n, encoding);
  // The numbers the save flow tries, and any other.
  checkNumbered(name, n % 1000, encoding);
  checkLeaf(name, encoding);
  checkFileNameOf(name);
  checkFilterIndex(name, encoding);
  return 0;
}
