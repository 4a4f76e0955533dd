#include "dropwindow/SaveDialogFilter.h"

#include <array>
#include <cstdint>

#include "text/Cp932.h"

namespace qm {
namespace {

constexpr std::int32_t kAllFilesIndex = 6;

struct ExtensionRow {
  std::string_view extension;
  std::int32_t filterIndex;
};

constexpr std::array<ExtensionRow, 8> kExtensions{{
    {"bmp", 1},
    {"jpg", 2},
    {"jpeg", 2},
    {"jpe", 2},
    {"gif", 3},
    {"tiff", 4},
    {"tif", 4},
    {"png", 5},
}};

}  // namespace

int filterIndexFor(std::string_view fileName, TextEncoding encoding) {
  const std::size_t dot = text::findLastChar(fileName, '.', encoding);
  if (dot == std::string_view::npos) return kAllFilesIndex;
  const std::string_view extension = fileName.substr(dot + 1);
  for (const ExtensionRow& row : kExtensions) {
    if (row.extension == extension) return row.filterIndex;
  }
  return kAllFilesIndex;
}

}  // namespace qm
