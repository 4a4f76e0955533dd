// Decodes a dropped picture and writes it in another format, for the save format the user chose.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/ImageFormat.h"
#include "platform/DropSource.h"

namespace qm {

class ImageConverter {
 public:
  virtual ~ImageConverter() = default;
  // The picture in `bytes`, of format `from`, written as `to` (PNG or JPEG) and parked until it
  // is put at a path, as any dropped content is; null when it cannot be decoded or written, and
  // for a picture of several frames, whose frames would be lost.
  virtual std::unique_ptr<DropSource> convert(std::span<const std::uint8_t> bytes, ImageFormat from,
                                              ImageFormat to) = 0;
};

}  // namespace qm
