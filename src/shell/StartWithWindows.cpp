#include "shell/StartWithWindows.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/AppIdentity.h"
#include "platform/UserRegistry.h"

namespace qm {
namespace {

// An entry of the startup-apps list: a flag byte, then the time it was last changed. An odd flag
// is off; 02 and twelve bytes in all is what Windows writes when the user turns an entry on.
constexpr std::uint8_t kApprovedOnFlag = 0x02;
constexpr std::size_t kApprovedBytes = 12;

char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows compares paths without regard to case.
bool samePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  }
  return true;
}

// The program a command line starts: the quoted part, or all of it up to trailing spaces.
std::string_view programOf(std::string_view command) {
  const std::size_t start = command.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  command.remove_prefix(start);
  if (command.front() == '"') {
    command.remove_prefix(1);
    return command.substr(0, command.find('"'));
  }
  return command.substr(0, command.find_last_not_of(' ') + 1);
}

}  // namespace

StartWithWindows::StartWithWindows(UserRegistry& registry) : registry_(registry) {}

bool StartWithWindows::isOn() {
  const std::optional<std::string> command = registry_.readText(kRunKey, kAppTitle);
  return command && namesThisProgram(*command) && !turnedOffInStartupApps();
}

std::uint32_t StartWithWindows::turnOn() {
  // Quoted, so that a path with spaces names the program and not a shorter one.
  std::string command(1, '"');
  command += registry_.programPath();
  command += '"';
  if (const std::uint32_t error = registry_.writeText(kRunKey, kAppTitle, command)) return error;
  if (!turnedOffInStartupApps()) return 0;
  std::vector<std::uint8_t> on(kApprovedBytes, 0);
  on[0] = kApprovedOnFlag;
  return registry_.writeBytes(kApprovedKey, kAppTitle, on);
}

std::uint32_t StartWithWindows::turnOff() {
  return registry_.removeValue(kRunKey, kAppTitle);
}

bool StartWithWindows::namesThisProgram(const std::string& command) {
  return samePath(programOf(command), registry_.programPath());
}

bool StartWithWindows::turnedOffInStartupApps() {
  const std::optional<std::vector<std::uint8_t>> entry =
      registry_.readBytes(kApprovedKey, kAppTitle);
  return entry && !entry->empty() && ((*entry)[0] & 1) != 0;
}

}  // namespace qm
