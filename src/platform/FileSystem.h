// The files the program touches: its settings file, the copies it makes, its own path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Full path of the running executable.
  virtual std::string executablePath() = 0;
  // At most `maxBytes` from the start of the file; empty when it cannot be opened.
  virtual std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                            std::size_t maxBytes) = 0;
  // Writes `bytes` to a temporary file beside `path` and puts it in place in one step. On any
  // failure the old file is left as it was and false is returned.
  virtual bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
  // CopyFileA: returns 0 on success, otherwise the system error code.
  virtual std::uint32_t copyFile(const std::string& from, const std::string& to,
                                 bool failIfExists) = 0;
  // Whether a file or folder is at `path` (GetFileAttributesA succeeds).
  virtual bool exists(const std::string& path) = 0;
  // The system's message text for an error code, as FormatMessageA gives it.
  virtual std::string systemMessage(std::uint32_t code) = 0;
};

}  // namespace qm
