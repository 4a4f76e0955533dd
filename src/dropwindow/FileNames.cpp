#include "dropwindow/FileNames.h"

#include "text/Cp932.h"

namespace qm::file_names {
namespace {

constexpr std::size_t kCounterChars = 3;  // "[" and up to two digits, as in "[12]"

// Opening one of these names opens the device, whatever extension follows.
constexpr std::string_view kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1",   "COM2",
                                             "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
                                             "COM9", "LPT1", "LPT2", "LPT3", "LPT4",   "LPT5",
                                             "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$"};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool namesADevice(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
  for (std::string_view device : kDeviceNames) {
    if (equalsIgnoringAsciiCase(stem, device)) return true;
  }
  return false;
}

}  // namespace

std::string fileNameOf(std::string_view path, TextEncoding encoding) {
  const std::size_t separator = text::findLastCharOf(path, "\\:", encoding);
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string leafOfVirtualName(std::string_view name, TextEncoding encoding) {
  const std::size_t separator = text::findLastCharOf(name, "\\/:", encoding);
  return std::string(separator == std::string_view::npos ? name : name.substr(separator + 1));
}

std::string cleanBrackets(std::string_view name, TextEncoding encoding) {
  std::string cleaned(name);
  const std::size_t open = text::findLastChar(cleaned, '[', encoding);
  if (open == std::string::npos) return cleaned;
  cleaned.erase(open, text::skipChars(cleaned, open, kCounterChars, encoding) - open);
  const std::size_t close = text::findLastChar(cleaned, ']', encoding);
  if (close != std::string::npos) cleaned.erase(close, 1);
  return cleaned;
}

std::string safeForWindows(std::string_view name) {
  const std::size_t last = name.find_last_not_of(". ");
  std::string safe(last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1));
  if (namesADevice(safe)) safe.insert(0, 1, '_');
  return safe;
}

std::string numbered(std::string_view name, unsigned n, TextEncoding encoding) {
  std::string result(name);
  const std::size_t dot = text::findLastChar(result, '.', encoding);
  result.insert(dot == std::string::npos ? result.size() : dot, std::to_string(n));
  return result;
}

std::string targetPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

}  // namespace qm::file_names
