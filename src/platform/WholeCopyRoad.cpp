#include "platform/WholeCopyRoad.h"

#include "platform/Win32Codes.h"

namespace qm::whole_copy {
namespace {

constexpr std::uint32_t kErrorSharingViolation = 32;

Outcome failed(std::uint32_t error, OldFileAt oldAt = OldFileAt::ItsName,
               std::wstring oldPath = std::wstring()) {
  return Outcome{error, oldAt, std::move(oldPath), false, false, 0};
}

Outcome replaceOld(Calls& calls, const std::wstring& made, const std::wstring& target) {
  if (calls.hasRecycleBin(target)) {
    BinTicket ticket = 0;
    if (const std::uint32_t error = calls.recycle(target, ticket)) return failed(error);
    // Someone took the name in the blink between: the old file is safe in the bin either way.
    if (const std::uint32_t error = calls.place(made, target)) {
      return failed(error, OldFileAt::RecycleBin);
    }
    return Outcome{kErrorSuccess, OldFileAt::ItsName, std::wstring(), true, true, ticket};
  }
  std::wstring oldLeftAt;
  if (const std::uint32_t error =
          file_replacement::replaceKeepingOld(calls, made, target, oldLeftAt)) {
    return oldLeftAt.empty() ? failed(error) : failed(error, OldFileAt::Beside, oldLeftAt);
  }
  return Outcome{kErrorSuccess, OldFileAt::ItsName, std::wstring(), true, false, 0};
}

}  // namespace

Outcome copyWhole(Calls& calls, const std::wstring& from, const std::wstring& to,
                  bool failIfExists) {
  const std::optional<std::uint32_t> before = calls.attributes(to);
  if (before && failIfExists) return failed(kErrorFileExists);
  if (before) {
    // The system's copy refuses these; the replacement would not everywhere.
    if (file_replacement::refuses(*before)) return failed(kErrorAccessDenied);
    // A file dropped on its own folder: the dropped file stays untouched.
    if (calls.sameFile(from, to)) return failed(kErrorSharingViolation);
  }
  std::wstring made;
  std::uint32_t keep = 0;
  // A new copy that is to take an old file's place must be on the disk first: a machine that
  // stops just after must not find the old file gone and the new one empty.
  if (const std::uint32_t error = calls.copyBeside(from, to, before.has_value(), made, keep)) {
    return failed(error);
  }
  Outcome outcome;
  if (before) {
    outcome = replaceOld(calls, made, to);
  } else if (const std::uint32_t error = calls.place(made, to)) {
    outcome = failed(error);
  }
  if (outcome.error != kErrorSuccess) {
    calls.remove(made);
    return outcome;
  }
  // Read-only only now: a read-only copy could not have been removed after a failure.
  if (keep != 0) calls.setAttributes(to, keep);
  return outcome;
}

}  // namespace qm::whole_copy
