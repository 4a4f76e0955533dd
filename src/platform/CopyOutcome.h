// How a copy into a folder ended, as the save flow needs it: the system's error, where an old file
// it was to replace is after a failure, and whether a success replaced one and sent it to the
// Recycle Bin, from where taking the save back brings it again.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

enum class OldFileAt { ItsName, RecycleBin, Beside };

// Which item of the Recycle Bin a file became, as the platform knows it in this run; 0 when it
// cannot tell.
using BinTicket = std::uint64_t;

struct CopyOutcome {
  std::uint32_t error = 0;
  OldFileAt oldAt = OldFileAt::ItsName;
  std::string oldPath;  // code page 932, for the failure box, when the old file stands beside
  bool replaced = false;
  bool oldInBin = false;
  BinTicket oldTicket = 0;
};

// A copy that failed before it touched an old file.
inline CopyOutcome copyFailed(std::uint32_t error) {
  CopyOutcome outcome;
  outcome.error = error;
  return outcome;
}

// A file's size and time of last change: a saved file that no longer has them was changed since.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

}  // namespace qm
