// The Recycle Bin, through the shell: a file goes there with FOF_ALLOWUNDO, as Explorer's delete
// sends it, and comes back through the bin's own "undelete" command, so that both ends keep the
// bin's records right on every Windows and under Wine (which keeps its bin in the desktop's
// trash). The item a file became is found by looking at the bin before and after; the shell's
// IFileOperation would say so itself, but Wine does not carry it out.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/CopyOutcome.h"

namespace qm {

class Win32RecycleBin {
 public:
  // The one bin of the program: a copy and taking it back reach it from different places.
  static Win32RecycleBin& shared();
  // Whether a file at `path` would go to a bin rather than be deleted for good: a fixed drive
  // whose bin answers (a network share or a memory stick has none).
  static bool has(const std::wstring& path);
  // 0 or the system error code; `ticket` is 0 when the item could not be told apart.
  std::uint32_t recycle(const std::wstring& path, BinTicket& ticket);
  std::uint32_t restore(BinTicket ticket);

 private:
  struct Item {
    std::wstring path;
    std::wstring key;  // what tells the item from the others in the bin
  };
  std::map<BinTicket, Item> items_;
  BinTicket last_ = 0;
};

}  // namespace qm
