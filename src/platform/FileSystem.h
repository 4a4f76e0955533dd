// The files the program touches: its settings file, the copies it makes, its own path. Every
// path comes with its encoding: code page 932, or UTF-8 where 932 cannot spell it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/CopyOutcome.h"
#include "text/Encoding.h"

namespace qm {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Full path of the running executable.
  virtual EncodedText executablePath() = 0;
  // At most `maxBytes` from the start of the file; empty when it cannot be opened.
  virtual std::optional<std::vector<std::uint8_t>> readFile(const EncodedText& path,
                                                            std::size_t maxBytes) = 0;
  // Writes `bytes` to a temporary file beside `path` and puts it in place in one step. On any
  // failure the old file is left as it was and false is returned.
  virtual bool replaceFile(const EncodedText& path, const std::vector<std::uint8_t>& bytes) = 0;
  // Removes the file; true when none is there afterwards.
  virtual bool removeFile(const EncodedText& path) = 0;
  // As CopyFile, with the old file it replaces sent to the Recycle Bin where the drive has one.
  virtual CopyOutcome copyFile(const EncodedText& from, const EncodedText& to,
                               bool failIfExists) = 0;
  // The file's size and time of last change; none when it is not there.
  virtual std::optional<FileStamp> stamp(const std::string& path, TextEncoding encoding) = 0;
  // Sends the file to the Recycle Bin; 0 or the system error code. `ticket` names the item it
  // became there.
  virtual std::uint32_t recycle(const std::string& path, TextEncoding encoding,
                                BinTicket& ticket) = 0;
  // Brings that item back from the Recycle Bin to its name; 0 or the system error code.
  virtual std::uint32_t restoreFromBin(BinTicket ticket) = 0;
  // Clears what a run that ended half way through a save left in these folders and in the
  // temporary folder.
  virtual void sweepLeftovers(const std::vector<EncodedText>& folders) = 0;
  // The bytes the user may still write on the drive of `folder`; none when the system cannot
  // tell.
  virtual std::optional<std::uint64_t> freeSpace(const EncodedText& folder) = 0;
  // Whether a file or folder is at `path` (GetFileAttributes succeeds).
  virtual bool exists(const EncodedText& path) = 0;
  // Gives a file saved from a browser's drop the mark a download gets (the mark of the web), with
  // the address it came from (UTF-8) when the drag named one, and lets the virus scanner see it.
  // Where the system cannot mark files the file stays as it is: the save still counts.
  virtual void markDownloaded(const EncodedText& path, const std::string& sourceUrl) = 0;
  // The system's message text for an error code, as FormatMessage gives it.
  virtual std::string systemMessage(std::uint32_t code) = 0;

  // Code page 932 text as UTF-8; empty when the bytes are not valid there.
  virtual std::optional<std::string> cp932ToUtf8(const std::string& text) = 0;
  // UTF-8 text in code page 932, only when every character has its own form there (no "?" or
  // look-alike stands in); empty otherwise.
  virtual std::optional<std::string> utf8ToCp932(const std::string& text) = 0;
  // What code page 932 makes of UTF-8 text when it must: a look-alike, or "?", for each
  // character it has no form for. What the settings file holds for a name it cannot spell.
  virtual std::string cp932Likeness(const std::string& utf8) = 0;
};

}  // namespace qm
