#include "imaging/FormatChoice.h"

#include <algorithm>
#include <array>
#include <span>

#include "text/Cp932.h"

namespace qm {
namespace {

constexpr std::array<std::string_view, 1> kPngExtensions{"png"};
constexpr std::array<std::string_view, 4> kJpegExtensions{"jpg", "jpeg", "jpe", "jfif"};

// The first extension is the one a new name gets.
std::span<const std::string_view> extensionsOf(ImageFormat format) {
  if (format == ImageFormat::Png) return kPngExtensions;
  if (format == ImageFormat::Jpeg) return kJpegExtensions;
  return {};
}

ImageFormat formatOf(SaveFormat setting) {
  switch (setting) {
    case kSavePng:
      return ImageFormat::Png;
    case kSaveJpeg:
      return ImageFormat::Jpeg;
    case kSaveAsIs:
      break;
  }
  return ImageFormat::Other;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

FormatChoice chooseFormat(ImageFormat source, bool animated, SaveFormat setting) {
  const ImageFormat chosen = formatOf(setting);
  if (chosen == ImageFormat::Other || source == ImageFormat::Other || animated) return {};
  return {source != chosen, chosen};
}

std::string nameInFormat(std::string_view name, ImageFormat format, TextEncoding encoding) {
  const std::span<const std::string_view> extensions = extensionsOf(format);
  if (extensions.empty()) return std::string(name);
  const std::size_t dot = text::findLastChar(name, '.', encoding);
  const std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
  if (dot != std::string_view::npos) {
    const std::string_view extension = name.substr(dot + 1);
    for (std::string_view known : extensions) {
      if (equalIgnoringAsciiCase(extension, known)) return std::string(name);
    }
  }
  return std::string(stem) + "." + std::string(extensions.front());
}

}  // namespace qm
