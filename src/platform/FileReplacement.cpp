#include "platform/FileReplacement.h"

#include "platform/Win32Codes.h"

namespace qm::file_replacement {

std::uint32_t replaceKeepingOld(Calls& calls, const std::wstring& replacement,
                                const std::wstring& target, std::wstring& oldLeftAt) {
  oldLeftAt.clear();
  // Without a name to keep the old file under while the new one moves in, a replacement that
  // fails half way could leave the old file under a name nobody knows.
  std::wstring backup;
  if (const std::uint32_t error = calls.freeNameBeside(target, backup)) return error;
  const std::uint32_t error = calls.replace(target, replacement, backup);
  if (error == kErrorSuccess) {
    calls.remove(backup);
    return kErrorSuccess;
  }
  // The new file could not move in after the old one moved out: the old one goes back.
  if (!calls.exists(target)) calls.move(backup, target);
  // Only once the old file is in its place again may its other name go; until then it is the
  // only copy there is.
  if (calls.exists(target)) {
    calls.remove(backup);
  } else if (calls.exists(backup)) {
    oldLeftAt = backup;
  }
  return error;
}

}  // namespace qm::file_replacement
