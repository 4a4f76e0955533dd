#pragma once

#include "platform/FileSystem.h"

namespace qm {

class Win32FileSystem : public FileSystem {
 public:
  std::string executablePath() override;
  std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                    std::size_t maxBytes) override;
  bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  std::uint32_t copyFile(const std::string& from, const std::string& to,
                         bool failIfExists) override;
  bool exists(const std::string& path, TextEncoding encoding) override;
  void markDownloaded(const std::string& path, TextEncoding encoding,
                      const std::string& sourceUrl) override;
  std::string systemMessage(std::uint32_t code) override;
  std::optional<std::string> cp932ToUtf8(const std::string& text) override;
  std::optional<std::string> utf8ToCp932(const std::string& text) override;
};

}  // namespace qm
