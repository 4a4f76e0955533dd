// Conversion with libwebp for WebP and the system's imaging component (WIC) for everything else
// it reads: BMP, GIF, JPEG, PNG and TIFF everywhere, AVIF, HEIC and JPEG XL where their codecs
// are installed. Written with WIC's PNG and JPEG encoders into a parked file, which a save puts
// at its target as any dropped content: as a new file, never half a picture.
#pragma once

#include "platform/ImageConverter.h"

namespace qm {

class Win32ImageConverter : public ImageConverter {
 public:
  std::unique_ptr<DropSource> convert(std::span<const std::uint8_t> bytes, ImageFormat from,
                                      ImageFormat to) override;
};

}  // namespace qm
