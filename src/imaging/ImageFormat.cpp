#include "imaging/ImageFormat.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qm {
namespace {

using Bytes = std::span<const std::uint8_t>;

bool startsWith(Bytes bytes, std::size_t offset, std::string_view text) {
  if (bytes.size() < offset + text.size()) return false;
  return std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                    [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

std::uint32_t bigEndian32(Bytes bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | bytes[offset + i];
  return value;
}

// An ISO media file (HEIF, AVIF) names its kind by brands in its first box, "ftyp".
ImageFormat isoMediaFormat(Bytes bytes) {
  if (!startsWith(bytes, 4, "ftyp")) return ImageFormat::Other;
  const std::size_t boxEnd = std::min<std::size_t>(bigEndian32(bytes, 0), bytes.size());
  constexpr std::array<std::string_view, 2> kAvif{"avif", "avis"};
  constexpr std::array<std::string_view, 8> kHeif{"heic", "heix", "hevc", "hevx",
                                                  "heim", "heis", "mif1", "msf1"};
  // The major brand, then the compatible ones: a generic "mif1" file may still be an AVIF.
  ImageFormat found = ImageFormat::Other;
  for (std::size_t at = 8; at + 4 <= boxEnd; at += at == 8 ? 8 : 4) {
    for (std::string_view brand : kAvif) {
      if (startsWith(bytes, at, brand)) return ImageFormat::Avif;
    }
    for (std::string_view brand : kHeif) {
      if (startsWith(bytes, at, brand)) found = ImageFormat::Heic;
    }
  }
  return found;
}

// The flags of a WebP's extended header ("VP8X"), the first chunk when there is one.
constexpr std::size_t kWebpFirstChunk = 12;
constexpr std::size_t kWebpExtendedFlags = kWebpFirstChunk + 8;
constexpr std::uint8_t kWebpAnimationFlag = 0x02;

bool webpAnimated(Bytes bytes) {
  return startsWith(bytes, kWebpFirstChunk, "VP8X") && bytes.size() > kWebpExtendedFlags &&
         (bytes[kWebpExtendedFlags] & kWebpAnimationFlag) != 0;
}

// A GIF is a header, a screen descriptor with an optional colour table, then blocks: extensions
// and images, each followed by data sub-blocks, until the trailer.
constexpr std::size_t kGifScreenFlags = 10;
constexpr std::size_t kGifFirstBlock = 13;
constexpr std::uint8_t kGifColorTableFlag = 0x80;
constexpr std::uint8_t kGifExtension = 0x21;
constexpr std::uint8_t kGifImage = 0x2C;
constexpr std::size_t kGifImageDescriptor = 10;  // with its introducer

std::size_t gifColorTableSize(std::uint8_t flags) {
  return (flags & kGifColorTableFlag) ? 3u << ((flags & 0x07) + 1) : 0;
}

// The position after a run of sub-blocks that starts at `at`, or the end of the bytes.
std::size_t skipSubBlocks(Bytes bytes, std::size_t at) {
  while (at < bytes.size() && bytes[at] != 0) at += 1 + bytes[at];
  return std::min(at + 1, bytes.size());
}

bool gifAnimated(Bytes bytes) {
  if (bytes.size() <= kGifScreenFlags) return false;
  std::size_t at = kGifFirstBlock + gifColorTableSize(bytes[kGifScreenFlags]);
  int images = 0;
  while (at < bytes.size()) {
    if (bytes[at] == kGifExtension) {
      at = skipSubBlocks(bytes, at + 2);
    } else if (bytes[at] == kGifImage) {
      if (++images > 1) return true;
      const std::size_t flags = at + kGifImageDescriptor - 1;
      if (flags >= bytes.size()) break;
      // The colour table, then the LZW code size, then the image data.
      at = skipSubBlocks(bytes, at + kGifImageDescriptor + gifColorTableSize(bytes[flags]) + 1);
    } else {
      break;  // the trailer, or bytes that are no block
    }
  }
  return false;
}

// An APNG announces its animation in an "acTL" chunk before the first image data.
constexpr std::size_t kPngFirstChunk = 8;
constexpr std::size_t kPngChunkFrame = 12;  // length, type and CRC

bool pngAnimated(Bytes bytes) {
  std::size_t at = kPngFirstChunk;
  while (at + 8 <= bytes.size()) {
    if (startsWith(bytes, at + 4, "acTL")) return true;
    if (startsWith(bytes, at + 4, "IDAT")) return false;
    const std::uint64_t next = at + std::uint64_t{kPngChunkFrame} + bigEndian32(bytes, at);
    if (next > bytes.size()) return false;
    at = static_cast<std::size_t>(next);
  }
  return false;
}

}  // namespace

ImageFormat sniffImageFormat(Bytes bytes) {
  if (startsWith(bytes, 0, "\x89PNG\r\n\x1A\n")) return ImageFormat::Png;
  if (startsWith(bytes, 0, "\xFF\xD8\xFF")) return ImageFormat::Jpeg;
  if (startsWith(bytes, 0, "GIF87a") || startsWith(bytes, 0, "GIF89a")) return ImageFormat::Gif;
  if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "WEBP")) return ImageFormat::Webp;
  if (startsWith(bytes, 0, "BM")) return ImageFormat::Bmp;
  if (startsWith(bytes, 0, std::string_view("II*\0", 4)) ||
      startsWith(bytes, 0, std::string_view("MM\0*", 4))) {
    return ImageFormat::Tiff;
  }
  if (startsWith(bytes, 0, "\xFF\x0A") ||
      startsWith(bytes, 0, std::string_view("\0\0\0\x0CJXL \r\n\x87\n", 12))) {
    return ImageFormat::JpegXl;
  }
  return isoMediaFormat(bytes);
}

bool isAnimated(ImageFormat format, Bytes bytes) {
  switch (format) {
    case ImageFormat::Webp:
      return webpAnimated(bytes);
    case ImageFormat::Gif:
      return gifAnimated(bytes);
    case ImageFormat::Png:
      return pngAnimated(bytes);
    case ImageFormat::Avif:
      return startsWith(bytes, 8, "avis");
    default:
      return false;
  }
}

}  // namespace qm
