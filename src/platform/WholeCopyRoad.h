// A copy into a folder that never costs the user a file. The new bytes are made complete in a
// file of the program's own beside the target and only then take the target's name. An old file
// there goes to the Recycle Bin under its own name and place first, where its drive has one, so
// the user can bring it back as any deleted file; on a drive without one it is replaced the way
// the system replaces a file, standing aside under a name of its own until the new one is in.
// At every moment the old file is whole at its name, in the Recycle Bin, or under that other name,
// and a failure says which.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CopyOutcome.h"
#include "platform/FileReplacement.h"

namespace qm::whole_copy {

struct Outcome {
  std::uint32_t error = 0;
  // After a failure: where the old file is, and under which name when it stands beside.
  OldFileAt oldAt = OldFileAt::ItsName;
  std::wstring oldPath;
  // After a success: an old file was replaced, and it went to the Recycle Bin as this item.
  bool replaced = false;
  bool oldInBin = false;
  BinTicket oldTicket = 0;
};

// What the copy asks of the system. Each returns 0 or the system error code.
class Calls : public file_replacement::Calls {
 public:
  // The file's attributes, none when nothing is there.
  virtual std::optional<std::uint32_t> attributes(const std::wstring& path) = 0;
  virtual bool sameFile(const std::wstring& first, const std::wstring& second) = 0;
  // Copies `from` into a new file of the program's own beside `target` (`made`), flushed to the
  // disk when `flush`. The copy is made writable; `keep` is given the attributes it is to carry
  // once in place. A failure leaves nothing of it.
  virtual std::uint32_t copyBeside(const std::wstring& from, const std::wstring& target, bool flush,
                                   std::wstring& made, std::uint32_t& keep) = 0;
  virtual bool hasRecycleBin(const std::wstring& path) = 0;
  // Moves the file to the Recycle Bin under its own name and place.
  virtual std::uint32_t recycle(const std::wstring& path, BinTicket& ticket) = 0;
  // Gives `from` the name `to`, never over a file there (ERROR_FILE_EXISTS).
  virtual std::uint32_t place(const std::wstring& from, const std::wstring& to) = 0;
  virtual void setAttributes(const std::wstring& path, std::uint32_t attributes) = 0;
};

// Copies `from` to `to`. With `failIfExists` a file at `to` is never replaced; else it is, unless
// it is read-only, hidden, system or a folder (ERROR_ACCESS_DENIED) or the source itself.
Outcome copyWhole(Calls& calls, const std::wstring& from, const std::wstring& to,
                  bool failIfExists);

}  // namespace qm::whole_copy
