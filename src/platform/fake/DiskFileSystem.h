// Real files on the test machine, with failures that a test can switch on. Paths may use the
// Windows separator "\", which stands for the host's own here; the host takes the bytes of either
// encoding as they are.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qm {

class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(EncodedText exePath) : exePath_(std::move(exePath)) {}

  EncodedText executablePath() override { return exePath_; }
  std::optional<std::vector<std::uint8_t>> readFile(const EncodedText& path,
                                                    std::size_t maxBytes) override;
  bool replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) override;
  bool removeFile(const EncodedText& path) override;
  // As CopyFileA: a read-only, hidden or system target is never replaced, and a folder the
  // user may not write into takes no file (the tests run as root, who could).
  // An old file it replaces goes to the bin below when `hasRecycleBin`.
  CopyOutcome copyFile(const EncodedText& from, const EncodedText& to, bool failIfExists) override;
  std::optional<FileStamp> stamp(const std::string& path, TextEncoding encoding) override;
  std::uint32_t recycle(const std::string& path, TextEncoding encoding, BinTicket& ticket) override;
  std::uint32_t restoreFromBin(BinTicket ticket) override;
  // The folders and `temporaryFolder`, by the program's own rules (platform/Leftovers).
  void sweepLeftovers(const std::vector<EncodedText>& folders) override;
  std::optional<std::uint64_t> freeSpace(const EncodedText&) override { return room; }
  bool exists(const EncodedText& path) override;
  void markDownloaded(const EncodedText& path, const std::string& sourceUrl) override {
    marked.push_back({path.bytes, path.encoding, sourceUrl});
  }
  std::string systemMessage(std::uint32_t code) override;
  std::optional<std::string> cp932ToUtf8(const std::string& text) override;
  std::optional<std::string> utf8ToCp932(const std::string& text) override;
  std::string cp932Likeness(const std::string& utf8) override;

  // The disk fills up after this many bytes of a write. A settings write leaves its partial
  // temporary file, as a real full disk would, which must never replace the settings file; a
  // copy removes its partial target and fails with ERROR_DISK_FULL, as CopyFileA does.
  std::optional<std::size_t> diskFullAfter;
  // What freeSpace says of every folder.
  std::optional<std::uint64_t> room;
  // Other ways a settings write fails: the temporary file cannot be created, a write returns
  // short (half the image reaches the temporary file), or putting the written file in place fails.
  enum class ReplaceFault { None, CannotCreate, ShortWrite, MoveFails };
  ReplaceFault replaceFault = ReplaceFault::None;
  // Errors the next copies fail with, taken in order, before they touch the disk.
  std::deque<std::uint32_t> copyErrors;
  // Whole failures the next copies end with, the old file's place included; before copyErrors.
  std::deque<CopyOutcome> copyFailures;
  // The Recycle Bin: what went there, by its ticket less one, as long as it is there.
  struct BinItem {
    std::string from;  // the path on the host it came from
    std::string bytes;
    bool restored = false;
  };
  std::vector<BinItem> bin;
  bool hasRecycleBin = true;
  // Errors the next restores from the bin fail with, taken in order.
  std::deque<std::uint32_t> restoreErrors;
  std::string temporaryFolder;     // on the host; none when empty
  std::vector<std::string> swept;  // the folders each sweep was given, on the host
  // Attributes the host has no word for (hidden, system), by the file's path on the host.
  std::map<std::string, std::uint32_t> markedAttributes;
  struct Marked {
    std::string path;
    TextEncoding encoding;
    std::string sourceUrl;
    friend bool operator==(const Marked&, const Marked&) = default;
  };
  std::vector<Marked> marked;  // markDownloaded calls, in order
  int writes = 0;              // replaceFile calls
  int reads = 0;               // readFile calls that opened a file
  int copies = 0;              // copyFile calls

 private:
  // The copy itself, as CopyFile; the bytes of a file it replaced stay in oldBytes_.
  std::uint32_t copyBytesTo(const EncodedText& from, const EncodedText& to, bool failIfExists);

  EncodedText exePath_;
  std::optional<std::string> oldBytes_;
};

}  // namespace qm
