#pragma once

#include "platform/FileSystem.h"

namespace qm {

class Win32FileSystem : public FileSystem {
 public:
  EncodedText executablePath() override;
  std::optional<std::vector<std::uint8_t>> readFile(const EncodedText& path,
                                                    std::size_t maxBytes) override;
  bool replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) override;
  bool removeFile(const EncodedText& path) override;
  CopyOutcome copyFile(const EncodedText& from, const EncodedText& to, bool failIfExists) override;
  std::optional<FileStamp> stamp(const std::string& path, TextEncoding encoding) override;
  std::uint32_t recycle(const std::string& path, TextEncoding encoding, BinTicket& ticket) override;
  std::uint32_t restoreFromBin(BinTicket ticket) override;
  void sweepLeftovers(const std::vector<EncodedText>& folders) override;
  std::optional<std::uint64_t> freeSpace(const EncodedText& folder) override;
  bool exists(const EncodedText& path) override;
  void markDownloaded(const EncodedText& path, const std::string& sourceUrl) override;
  std::string systemMessage(std::uint32_t code) override;
  std::optional<std::string> cp932ToUtf8(const std::string& text) override;
  std::optional<std::string> utf8ToCp932(const std::string& text) override;
  std::string cp932Likeness(const std::string& utf8) override;
};

}  // namespace qm
