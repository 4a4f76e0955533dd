// A virtual file's bytes as the platform would park them: in a file of their own, put at a target
// as a copy is, so that every failure of a real folder (missing, taken name, read-only, full
// disk) happens to it too.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DropSource.h"
#include "platform/fake/DiskFileSystem.h"

namespace qm {

class FakeVirtualFile : public DropSource {
 public:
  FakeVirtualFile(DiskFileSystem& files, std::filesystem::path parkedAt, const std::string& bytes)
      : files_(files), parkedAt_(std::move(parkedAt)) {
    std::ofstream(parkedAt_, std::ios::binary) << bytes;
  }
  ~FakeVirtualFile() override {
    std::error_code ignored;
    std::filesystem::remove(parkedAt_, ignored);
  }

  CopyOutcome putAt(const std::string& target, TextEncoding encoding, bool failIfExists) override {
    ++puts;
    lastEncoding = encoding;
    return files_.copyFile({parkedAt_.string(), TextEncoding::Utf8}, {target, encoding},
                           failIfExists);
  }
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override {
    ++reads;
    return files_.readFile({parkedAt_.string(), TextEncoding::Utf8}, maxBytes);
  }

  int puts = 0;
  int reads = 0;
  TextEncoding lastEncoding = TextEncoding::Cp932;

 private:
  DiskFileSystem& files_;
  std::filesystem::path parkedAt_;
};

}  // namespace qm
