// A dropped file on disk: it puts itself somewhere by being copied, and stays where it is.
#pragma once

#include <string>
#include <utility>

#include "platform/DropSource.h"
#include "platform/FileSystem.h"

namespace qm {

class DroppedFile : public DropSource {
 public:
  DroppedFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

  // A file on disk has a code page 932 name, so its targets are code page 932 too.
  std::uint32_t putAt(const std::string& target, TextEncoding, bool failIfExists) override {
    return files_.copyFile(path_, target, failIfExists);
  }
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override {
    return files_.readFile(path_, maxBytes);
  }

 private:
  FileSystem& files_;
  std::string path_;
};

}  // namespace qm
