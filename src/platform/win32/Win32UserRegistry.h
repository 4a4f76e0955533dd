// The current user's registry through the wide registry functions.
#pragma once

#include "platform/UserRegistry.h"

namespace qm {

class Win32UserRegistry : public UserRegistry {
 public:
  std::optional<std::string> readText(const std::string& key, const std::string& name) override;
  std::optional<std::vector<std::uint8_t>> readBytes(const std::string& key,
                                                     const std::string& name) override;
  std::uint32_t writeText(const std::string& key, const std::string& name,
                          const std::string& text) override;
  std::uint32_t writeBytes(const std::string& key, const std::string& name,
                           const std::vector<std::uint8_t>& bytes) override;
  std::uint32_t removeValue(const std::string& key, const std::string& name) override;
  std::string programPath() override;
};

}  // namespace qm
