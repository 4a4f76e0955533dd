// What happens to a decoded picture before it is written anew: transparency laid on white for
// JPEG, alpha left out of an opaque PNG, and a photo turned the way its EXIF orientation asks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureBytes.h"
#include "imaging/ExifOrientation.h"
#include "imaging/Picture.h"
#include "imaging/WebpDecode.h"

#include <webp/encode.h>

namespace qm {
namespace {

using Pixels = std::vector<std::uint8_t>;

Picture picture(std::uint32_t width, std::uint32_t height, Pixels bgra) {
  Picture p;
  p.width = width;
  p.height = height;
  p.bgra = std::move(bgra);
  return p;
}

TEST(Picture, TransparencyLiesOnWhite) {
  const struct {
    const char* what;
    Pixels before;
    Pixels after;
    bool transparent;
  } cases[] = {
      {"opaque stays", {10, 20, 30, 255}, {10, 20, 30, 255}, false},
      {"clear becomes white", {10, 20, 30, 0}, {255, 255, 255, 255}, true},
      {"half over white", {0, 0, 0, 128}, {127, 127, 127, 255}, true},
      {"nearly opaque", {0, 100, 200, 254}, {1, 101, 200, 255}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Picture p = picture(1, 1, c.before);
    EXPECT_EQ(hasTransparency(p), c.transparent);
    layOnWhite(p);
    EXPECT_EQ(p.bgra, c.after);
    EXPECT_FALSE(hasTransparency(p));
  }
}

TEST(Picture, WithoutAlphaKeepsBlueGreenRed) {
  const Picture p = picture(2, 1, {1, 2, 3, 255, 4, 5, 6, 7});
  EXPECT_EQ(withoutAlpha(p), (Pixels{1, 2, 3, 4, 5, 6}));
}

// A 3 x 2 picture whose pixels are numbered 1 to 6 row by row (in their blue byte):
//   1 2 3
//   4 5 6
TEST(Picture, OrientationTurnsAndMirrors) {
  const struct {
    int orientation;
    std::uint32_t width, height;
    std::vector<int> shown;  // row by row, as the picture is meant to be seen
  } cases[] = {
      {0, 3, 2, {1, 2, 3, 4, 5, 6}},  // not an orientation: left alone
      {1, 3, 2, {1, 2, 3, 4, 5, 6}}, {2, 3, 2, {3, 2, 1, 6, 5, 4}},  // mirrored
      {3, 3, 2, {6, 5, 4, 3, 2, 1}},                                 // upside down
      {4, 3, 2, {4, 5, 6, 1, 2, 3}},                                 // mirrored upside down
      {5, 2, 3, {1, 4, 2, 5, 3, 6}},                                 // transposed
      {6, 2, 3, {4, 1, 5, 2, 6, 3}},                                 // turned clockwise
      {7, 2, 3, {6, 3, 5, 2, 4, 1}},                                 // transversed
      {8, 2, 3, {3, 6, 2, 5, 1, 4}},                                 // turned anticlockwise
      {9, 3, 2, {1, 2, 3, 4, 5, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.orientation);
    Pixels numbered;
    for (std::uint8_t n = 1; n <= 6; ++n) numbered.insert(numbered.end(), {n, 0, 0, 255});
    Picture p = picture(3, 2, numbered);
    applyOrientation(p, c.orientation);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    std::vector<int> shown;
    for (std::size_t i = 0; i < p.bgra.size(); i += 4) shown.push_back(p.bgra[i]);
    EXPECT_EQ(shown, c.shown);
  }
}

std::string littleEndianExif(std::uint16_t tag, std::uint16_t type, std::uint16_t value) {
  std::string tiff("II*\0\x08\0\0\0", 8);
  tiff += std::string("\x02\0", 2);                               // two entries
  tiff += std::string("\x0F\x01\x02\0\x04\0\0\0\x1A\0\0\0", 12);  // the maker, elsewhere
  tiff += {static_cast<char>(tag),
           static_cast<char>(tag >> 8),
           static_cast<char>(type),
           0,
           1,
           0,
           0,
           0,
           static_cast<char>(value),
           static_cast<char>(value >> 8),
           0,
           0};
  return tiff + std::string(4, '\0');
}

std::string bigEndianExif(std::uint16_t value) {
  return std::string("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18) +
         std::string{static_cast<char>(value >> 8), static_cast<char>(value), 0, 0} +
         std::string(4, '\0');
}

std::string jpegWithExif(const std::string& tiff) {
  const std::string app1 = std::string("Exif\0\0", 6) + tiff;
  const auto length = static_cast<std::uint16_t>(app1.size() + 2);
  return std::string("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xE1", 10) +
         std::string{static_cast<char>(length >> 8), static_cast<char>(length)} + app1 +
         std::string("\xFF\xDA\x00\x02", 4);
}

TEST(Picture, OrientationIsReadFromExif) {
  const struct {
    const char* what;
    ImageFormat format;
    std::string bytes;
    int orientation;
  } cases[] = {
      {"JPEG, Intel order, turned", ImageFormat::Jpeg, jpegWithExif(littleEndianExif(0x112, 3, 6)),
       6},
      {"JPEG, Motorola order", ImageFormat::Jpeg, jpegWithExif(bigEndianExif(8)), 8},
      {"JPEG without EXIF", ImageFormat::Jpeg, test::picture_bytes::jpeg(), kUpright},
      {"JPEG, tag of the wrong type", ImageFormat::Jpeg,
       jpegWithExif(littleEndianExif(0x112, 4, 6)), kUpright},
      {"JPEG, orientation out of range", ImageFormat::Jpeg,
       jpegWithExif(littleEndianExif(0x112, 3, 9)), kUpright},
      {"JPEG, no orientation tag", ImageFormat::Jpeg, jpegWithExif(littleEndianExif(0x110, 3, 6)),
       kUpright},
      {"JPEG cut inside its EXIF", ImageFormat::Jpeg,
       jpegWithExif(littleEndianExif(0x112, 3, 6)).substr(0, 30), kUpright},
      {"TIFF file", ImageFormat::Tiff, littleEndianExif(0x112, 3, 3), 3},
      {"TIFF whose directory lies past its end", ImageFormat::Tiff,
       std::string("II*\0\xFF\xFF\0\0", 8), kUpright},
      {"PNG says nothing", ImageFormat::Png, test::picture_bytes::png(), kUpright},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
    EXPECT_EQ(orientationOf(c.format, bytes), c.orientation);
  }
}

// A lossless WebP of the pixels, made by libwebp's own encoder.
std::vector<std::uint8_t> losslessWebp(const Picture& p) {
  std::uint8_t* encoded = nullptr;
  const std::size_t size =
      WebPEncodeLosslessBGRA(p.bgra.data(), static_cast<int>(p.width), static_cast<int>(p.height),
                             static_cast<int>(p.stride()), &encoded);
  std::vector<std::uint8_t> bytes(encoded, encoded + size);
  WebPFree(encoded);
  return bytes;
}

TEST(Picture, WebpDecodesToItsPixelsAndRefusesWhatIsNoWholeStill) {
  // Every alpha value but 0 (whose colour the encoder may drop), over changing colours: a
  // lossless WebP gives back exactly these.
  Picture original = picture(16, 16, {});
  for (unsigned i = 0; i < 256; ++i) {
    original.bgra.insert(
        original.bgra.end(),
        {static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
         static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(i == 0 ? 1 : i)});
  }
  const std::vector<std::uint8_t> webp = losslessWebp(original);
  ASSERT_FALSE(webp.empty());
  std::vector<std::uint8_t> cut(webp.begin(),
                                webp.begin() + static_cast<std::ptrdiff_t>(webp.size() / 2));
  const std::string extended = test::picture_bytes::webpExtended('\x02');
  const std::vector<std::uint8_t> animated(extended.begin(), extended.end());
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool decoded;
  } cases[] = {
      {"lossless WebP", webp, true},
      {"cut in half", cut, false},
      {"an animation's header", animated, false},
      {"no WebP at all", {'R', 'I', 'F', 'F'}, false},
      {"nothing", {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<Picture> decoded = decodeWebp(c.bytes);
    ASSERT_EQ(decoded.has_value(), c.decoded);
    if (!decoded) continue;
    EXPECT_EQ(decoded->width, original.width);
    EXPECT_EQ(decoded->height, original.height);
    EXPECT_EQ(decoded->bgra, original.bgra);
    EXPECT_TRUE(decoded->iccProfile.empty());
  }
}

}  // namespace
}  // namespace qm
