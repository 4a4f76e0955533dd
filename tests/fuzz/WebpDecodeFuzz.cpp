// Any bytes down the road a dropped WebP takes before it is written anew: its format and motion
// told from the bytes, libwebp's decoding with its colour profile and EXIF orientation, and the
// pixel work before encoding. Nothing may crash, leak or read out of bounds, and a picture that
// comes out is a whole still WebP's: its size in bounds and its rows complete.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "FuzzCheck.h"
#include "imaging/ExifOrientation.h"
#include "imaging/ImageFormat.h"
#include "imaging/Picture.h"
#include "imaging/WebpDecode.h"

namespace {

// Pixel work on larger pictures adds time, not paths.
constexpr std::uint64_t kMostCheckedPixels = 1 << 16;

void checkPicture(qm::Picture picture) {
  QM_FUZZ_CHECK(qm::fitsInMemory(picture.width, picture.height));
  QM_FUZZ_CHECK(picture.bgra.size() == picture.stride() * picture.height);
  if (std::uint64_t{picture.width} * picture.height > kMostCheckedPixels) return;
  // A quarter turn one way and back gives the picture back.
  const qm::Picture original = picture;
  qm::applyOrientation(picture, 6);
  QM_FUZZ_CHECK(picture.width == original.height && picture.height == original.width);
  qm::applyOrientation(picture, 8);
  QM_FUZZ_CHECK(picture.bgra == original.bgra);
  QM_FUZZ_CHECK(qm::withoutAlpha(picture).size() == picture.bgra.size() / 4 * 3);
  qm::layOnWhite(picture);
  QM_FUZZ_CHECK(!qm::hasTransparency(picture));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const qm::ImageFormat format = qm::sniffImageFormat(bytes);
  const bool animated = qm::isAnimated(format, bytes);
  const int orientation = qm::orientationOf(qm::ImageFormat::Jpeg, bytes);
  QM_FUZZ_CHECK(orientation >= 1 && orientation <= 8);
  const int tiffOrientation = qm::exifOrientation(bytes);
  QM_FUZZ_CHECK(tiffOrientation >= 1 && tiffOrientation <= 8);

  const std::optional<qm::Picture> picture = qm::decodeWebp(bytes);
  if (!picture) return 0;
  // libwebp also takes a bare bitstream, which the program never hands it (it decodes only what
  // starts as a WebP file); a WebP file that decodes is a still one: an animation's frames are
  // never flattened into one.
  QM_FUZZ_CHECK(format != qm::ImageFormat::Webp || !animated);
  checkPicture(*picture);
  return 0;
}
