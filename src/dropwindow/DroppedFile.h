// A dropped file on disk: it puts itself somewhere by being copied, and stays where it is.
#pragma once

#include <string>
#include <utility>

#include "platform/DropSource.h"
#include "platform/FileSystem.h"

namespace qm {

class DroppedFile : public DropSource {
 public:
  DroppedFile(FileSystem& files, EncodedText path) : files_(files), path_(std::move(path)) {}

  CopyOutcome putAt(const std::string& target, TextEncoding encoding, bool failIfExists) override {
    return files_.copyFile(path_, {target, encoding}, failIfExists);
  }
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override {
    return files_.readFile(path_, maxBytes);
  }

 private:
  FileSystem& files_;
  EncodedText path_;
};

}  // namespace qm
