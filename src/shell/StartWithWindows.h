// Whether Windows starts the program when the user signs in: the per-user Run value
// "Quillmarten", holding the quoted path of the exe, and the startup-apps list of Windows'
// settings, which can turn a Run value off without removing it. Nothing is written until the
// user asks for it.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

class UserRegistry;

class StartWithWindows {
 public:
  static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* kApprovedKey =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

  explicit StartWithWindows(UserRegistry& registry);

  // On only while the Run value names this very exe (an old copy elsewhere does not count) and
  // the startup-apps list has not turned it off.
  bool isOn();
  // Writes the Run value, and turns it on in the startup-apps list where it was turned off there.
  // Returns 0 or the system error code.
  std::uint32_t turnOn();
  // Removes the Run value. Returns 0 or the system error code.
  std::uint32_t turnOff();

 private:
  bool namesThisProgram(const std::string& command);
  bool turnedOffInStartupApps();

  UserRegistry& registry_;
};

}  // namespace qm
