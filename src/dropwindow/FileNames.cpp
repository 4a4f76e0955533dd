#include "dropwindow/FileNames.h"

#include "text/Cp932.h"

namespace qm::file_names {
namespace {

constexpr std::size_t kCounterChars = 3;  // "[" and up to two digits, as in "[12]"

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
