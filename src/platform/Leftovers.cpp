#include "platform/Leftovers.h"

#include <optional>

#include "platform/OwnFiles.h"

namespace qm::leftovers {

void sweep(Calls& calls, const std::wstring& folder) {
  for (const std::wstring& name : calls.ownNames(folder)) {
    const std::wstring path = folder + L"\\" + name;
    const std::optional<std::wstring> original = own_files::parkedOriginal(name);
    if (!original) {
      calls.remove(path);
      continue;
    }
    // An old picture is never cleared away: back at its name when that is free, else (the new
    // file took it) where the save was taking it, the Recycle Bin where its drive has one.
    const std::wstring back = folder + L"\\" + *original;
    if (!calls.exists(back) && calls.place(path, back)) continue;
    calls.recycle(path);
  }
}

}  // namespace qm::leftovers
