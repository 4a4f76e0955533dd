// Values of the current user's part of the registry (HKEY_CURRENT_USER), as far as the program
// touches it: the value that has Windows start it at sign-in. Key paths, names and text are
// UTF-8; a key path is relative to HKEY_CURRENT_USER.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class UserRegistry {
 public:
  virtual ~UserRegistry() = default;
  // A text value (REG_SZ or REG_EXPAND_SZ, unexpanded); empty when there is none of that kind.
  virtual std::optional<std::string> readText(const std::string& key, const std::string& name) = 0;
  // A binary value's bytes; empty when there is none of that kind.
  virtual std::optional<std::vector<std::uint8_t>> readBytes(const std::string& key,
                                                             const std::string& name) = 0;
  // These create the key when it is missing. Each returns 0 or the system error code.
  virtual std::uint32_t writeText(const std::string& key, const std::string& name,
                                  const std::string& text) = 0;
  virtual std::uint32_t writeBytes(const std::string& key, const std::string& name,
                                   const std::vector<std::uint8_t>& bytes) = 0;
  // A value that is not there is as good as removed.
  virtual std::uint32_t removeValue(const std::string& key, const std::string& name) = 0;

  // The running program's full path in UTF-8, the way a registry value names a program.
  virtual std::string programPath() = 0;
};

}  // namespace qm
