// A virtual file's bytes parked in a temporary file of the program's own: taken from the dragging
// program inside the drop, in chunks, so a large image needs no buffer of its size; put at its
// target afterwards.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/DropSource.h"

namespace qm {

// The temporary folder, without its last separator; empty when the system has none to give.
std::wstring temporaryFolder();

class Win32SpooledFile : public DropSource {
 public:
  Win32SpooledFile() = default;
  ~Win32SpooledFile() override;
  Win32SpooledFile(const Win32SpooledFile&) = delete;
  Win32SpooledFile& operator=(const Win32SpooledFile&) = delete;

  // Each returns 0 or the system error code.
  std::uint32_t create();
  std::uint32_t append(const std::uint8_t* bytes, std::size_t count);
  std::uint32_t finish();

  CopyOutcome putAt(const std::string& target, TextEncoding encoding, bool failIfExists) override;
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override;

 private:
  std::wstring path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace qm
