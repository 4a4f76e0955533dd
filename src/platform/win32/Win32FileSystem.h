#pragma once

#include "platform/FileSystem.h"

namespace qm {

class Win32FileSystem : public FileSystem {
 public:
  std::string executablePath() override;
  std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                    std::size_t maxBytes) override;
  bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  CopyOutcome copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  std::optional<FileStamp> stamp(const std::string& path, TextEncoding encoding) override;
  std::uint32_t recycle(const std::string& path, TextEncoding encoding, BinTicket& ticket) override;
  std::uint32_t restoreFromBin(BinTicket ticket) override;
  void sweepLeftovers(const std::vector<std::string>& folders) override;
  bool exists(const std::string& path, TextEncoding encoding) override;
  std::string systemMessage(std::uint32_t code) override;
  std::optional<std::string> cp932ToUtf8(const std::string& text) override;
  std::optional<std::string> utf8ToCp932(const std::string& text) override;
};

}  // namespace qm
