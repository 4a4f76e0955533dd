// The last step of a copy over an old file: the complete new file, made beside the old one, takes
// its place. The old file's attributes, security and the folder's view of it stay, the way the
// system keeps them when it replaces a file; a file the system's copy would not replace is
// refused the way the copy refuses it; and a replacement that fails leaves the old file whole.
#pragma once

#include <cstdint>
#include <string>

namespace qm::file_replacement {

// File attribute bits, as the system reports them.
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;

// Whether what is at the target, with these attributes, must not be replaced: the system's copy
// refuses a read-only, hidden or system file, and a folder, with an access denied error.
constexpr bool refuses(std::uint32_t attributes) {
  return (attributes & (kReadOnly | kHidden | kSystem | kDirectory)) != 0;
}

// What the step asks of the system. Each returns 0 or the system error code.
class Calls {
 public:
  virtual ~Calls() = default;
  // The name of its own beside `target` that the old file stands aside under, free for it.
  virtual std::uint32_t freeNameBeside(const std::wstring& target, std::wstring& name) = 0;
  // ReplaceFileW: `replacement` becomes `target`, which is first moved to `backup`.
  virtual std::uint32_t replace(const std::wstring& target, const std::wstring& replacement,
                                const std::wstring& backup) = 0;
  virtual std::uint32_t move(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool exists(const std::wstring& path) = 0;
  virtual void remove(const std::wstring& path) = 0;
};

// Puts `replacement` in the place of `target`; 0 or the error. On a failure `replacement` is
// left where it is, for the caller to remove, and `oldLeftAt` names the other name the old file
// could not come back from (empty when it is whole at its own name).
std::uint32_t replaceKeepingOld(Calls& calls, const std::wstring& replacement,
                                const std::wstring& target, std::wstring& oldLeftAt);

}  // namespace qm::file_replacement
