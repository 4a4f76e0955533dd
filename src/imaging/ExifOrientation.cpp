#include "imaging/ExifOrientation.h"

#include <algorithm>

namespace qm {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kDirectoryEntry = 12;

class TiffReader {
 public:
  explicit TiffReader(Bytes bytes)
      : bytes_(bytes), bigEndian_(bytes.size() > 0 && bytes[0] == 'M') {}
  bool has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint32_t read(std::size_t offset, std::size_t count) const {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t byte = bytes_[offset + (bigEndian_ ? i : count - 1 - i)];
      value = value << 8 | byte;
    }
    return value;
  }

 private:
  Bytes bytes_;
  bool bigEndian_;
};

// JPEG segments: a marker, then a two-byte length that counts itself, until the image data.
constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::size_t kExifHeader = 6;  // "Exif\0\0"

int jpegOrientation(Bytes bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size() && bytes[at] == kMarker) {
    const std::uint8_t marker = bytes[at + 1];
    if (marker == kStartOfScan) break;
    const std::size_t length = std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
    if (length < 2 || at + 2 + length > bytes.size()) break;
    const Bytes segment = bytes.subspan(at + 4, length - 2);
    constexpr char kExif[kExifHeader] = {'E', 'x', 'i', 'f', 0, 0};
    if (marker == kApp1 && segment.size() > kExifHeader &&
        std::equal(segment.begin(), segment.begin() + kExifHeader, kExif)) {
      return exifOrientation(segment.subspan(kExifHeader));
    }
    at += 2 + length;
  }
  return kUpright;
}

}  // namespace

int exifOrientation(Bytes tiff) {
  if (tiff.size() < 8) return kUpright;
  const bool littleEndian = tiff[0] == 'I' && tiff[1] == 'I';
  const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
  if (!littleEndian && !bigEndian) return kUpright;
  const TiffReader reader(tiff);
  const std::size_t directory = reader.read(4, 4);
  if (!reader.has(directory, 2)) return kUpright;
  const std::size_t entries = reader.read(directory, 2);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + i * kDirectoryEntry;
    if (!reader.has(entry, kDirectoryEntry)) break;
    if (reader.read(entry, 2) != kOrientationTag) continue;
    if (reader.read(entry + 2, 2) != kShortType) return kUpright;
    const std::uint32_t value = reader.read(entry + 8, 2);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : kUpright;
  }
  return kUpright;
}

int orientationOf(ImageFormat format, Bytes bytes) {
  if (format == ImageFormat::Jpeg) return jpegOrientation(bytes);
  if (format == ImageFormat::Tiff) return exifOrientation(bytes);
  return kUpright;
}

}  // namespace qm
