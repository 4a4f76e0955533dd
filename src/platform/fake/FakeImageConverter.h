// Converts without a codec: a picture written anew is a line naming the format it was written as,
// followed by the dropped bytes, parked as a virtual file's bytes are. The script makes every
// decode fail.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/ImageConverter.h"
#include "platform/fake/DiskFileSystem.h"
#include "platform/fake/FakeVirtualFile.h"

namespace qm {

class FakeImageConverter : public ImageConverter {
 public:
  FakeImageConverter(DiskFileSystem& files, std::filesystem::path parkFolder)
      : files_(files), parkFolder_(std::move(parkFolder)) {}

  static std::string written(ImageFormat to, const std::string& dropped) {
    return (to == ImageFormat::Png ? "PNG from " : "JPEG from ") + dropped;
  }

  std::unique_ptr<DropSource> convert(std::span<const std::uint8_t> bytes, ImageFormat,
                                      ImageFormat to) override {
    ++conversions;
    if (decodeFails) return nullptr;
    const std::string dropped(bytes.begin(), bytes.end());
    return std::make_unique<FakeVirtualFile>(
        files_, parkFolder_ / ("converted-" + std::to_string(conversions)), written(to, dropped));
  }

  bool decodeFails = false;
  int conversions = 0;

 private:
  DiskFileSystem& files_;
  std::filesystem::path parkFolder_;
};

}  // namespace qm
