// The registry as a map of values, with a failure a test can switch on.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/UserRegistry.h"

namespace qm {

class FakeUserRegistry : public UserRegistry {
 public:
  using Value = std::variant<std::string, std::vector<std::uint8_t>>;
  using Place = std::pair<std::string, std::string>;  // key path, value name

  std::optional<std::string> readText(const std::string& key, const std::string& name) override {
    const auto found = values.find({key, name});
    if (found == values.end() || !std::holds_alternative<std::string>(found->second)) return {};
    return std::get<std::string>(found->second);
  }
  std::optional<std::vector<std::uint8_t>> readBytes(const std::string& key,
                                                     const std::string& name) override {
    const auto found = values.find({key, name});
    if (found == values.end()) return std::nullopt;
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&found->second);
    return bytes ? std::optional(*bytes) : std::nullopt;
  }
  std::uint32_t writeText(const std::string& key, const std::string& name,
                          const std::string& text) override {
    return change([&] { values[{key, name}] = text; });
  }
  std::uint32_t writeBytes(const std::string& key, const std::string& name,
                           const std::vector<std::uint8_t>& bytes) override {
    return change([&] { values[{key, name}] = bytes; });
  }
  std::uint32_t removeValue(const std::string& key, const std::string& name) override {
    return change([&] { values.erase({key, name}); });
  }
  std::string programPath() override { return program; }

  std::map<Place, Value> values;
  std::string program = "C:\\Program Files\\Quillmarten\\Quillmarten.exe";
  // Every change fails with this code, as under a policy that locks the key (0: none fails).
  std::uint32_t changeError = 0;
  int changes = 0;  // changes made

 private:
  template <typename Change>
  std::uint32_t change(Change&& make) {
    if (changeError != 0) return changeError;
    make();
    ++changes;
    return 0;
  }
};

}  // namespace qm
