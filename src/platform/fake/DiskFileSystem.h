// Real files on the test machine, with failures that a test can switch on.
#pragma once

#include "platform/FileSystem.h"

namespace qm {

class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::string exePath) : exePath_(std::move(exePath)) {}

  std::string executablePath() override { return exePath_; }
  std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                    std::size_t maxBytes) override;
  bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  std::uint32_t copyFile(const std::string& from, const std::string& to,
                         bool failIfExists) override;
  std::string systemMessage(std::uint32_t code) override;

  // The disk fills up after this many bytes of a write (a partial temporary file is left, as a
  // real full disk would leave it, and must never replace the settings file).
  std::optional<std::size_t> diskFullAfter;
  int writes = 0;  // replaceFile calls
  int reads = 0;   // readFile calls that opened a file

 private:
  std::string exePath_;
};

}  // namespace qm
