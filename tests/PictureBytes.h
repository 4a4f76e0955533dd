// The first bytes of pictures of each format, built by hand from the formats' layouts: enough for
// the format to be told and for a moving picture to show that it moves.
#pragma once

#include <cstdint>
#include <string>

namespace qm::test::picture_bytes {

inline std::string bigEndian32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

inline std::string pngChunk(const std::string& type, const std::string& data) {
  return bigEndian32(static_cast<std::uint32_t>(data.size())) + type + data + "CRC!";
}

inline std::string png() {
  return std::string("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", std::string(13, '\1')) +
         pngChunk("IDAT", "pixels") + pngChunk("IEND", "");
}

// An APNG: its animation control comes before the image data.
inline std::string apng() {
  return std::string("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", std::string(13, '\1')) +
         pngChunk("acTL", std::string(8, '\0')) + pngChunk("IDAT", "pixels") + pngChunk("IEND", "");
}

// A chunk after the image data is no animation control of this picture.
inline std::string pngWithLateAnimationChunk() {
  return std::string("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", std::string(13, '\1')) +
         pngChunk("IDAT", "pixels") + pngChunk("acTL", std::string(8, '\0'));
}

// A GIF with a global colour table of two colours and `frames` images, each with a graphic
// control extension and one block of data.
inline std::string gif(int frames) {
  std::string bytes = "GIF89a";
  bytes += std::string("\x02\x00\x02\x00\x80\x00\x00", 7);  // 2 x 2, colour table of 2
  bytes += std::string(6, '\xFF');
  for (int i = 0; i < frames; ++i) {
    bytes += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);           // graphic control
    bytes += std::string("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00", 10);  // image descriptor
    bytes += std::string("\x02\x02\x44\x01\x00", 5);                       // code size, data
  }
  return bytes + ";";
}

// A two-frame GIF whose frames carry local colour tables and a comment between them.
inline std::string gifWithLocalTables() {
  std::string bytes = "GIF89a";
  bytes += std::string("\x02\x00\x02\x00\x00\x00\x00", 7);  // no global colour table
  for (int i = 0; i < 2; ++i) {
    bytes += std::string("\x21\xFE\x03new\x00", 7);  // comment
    bytes += std::string("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x81", 10);
    bytes += std::string(12, '\x2C');  // a local table of four colours, full of separators
    bytes += std::string("\x02\x02\x44\x01\x00", 5);
  }
  return bytes + ";";
}

inline std::string webpLossy() {
  return std::string("RIFF\x20\x00\x00\x00WEBPVP8 \x14\x00\x00\x00", 20) + std::string(20, '\0');
}

// An extended header with the given flags (0x02 animation, 0x10 alpha).
inline std::string webpExtended(char flags) {
  return std::string("RIFF\x30\x00\x00\x00WEBPVP8X\x0A\x00\x00\x00", 20) + flags +
         std::string(9, '\0') + std::string("ANIM\x06\x00\x00\x00", 8) + std::string(6, '\0');
}

inline std::string jpeg() {
  return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + std::string(40, '\0');
}

inline std::string isoMedia(const std::string& major, const std::string& compatible) {
  const std::string box = "ftyp" + major + std::string(4, '\0') + compatible;
  return bigEndian32(static_cast<std::uint32_t>(box.size() + 4)) + box + "meta";
}

}  // namespace qm::test::picture_bytes
