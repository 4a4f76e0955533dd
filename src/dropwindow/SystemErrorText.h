// The text of a failure of the operating system, as the program shows it in a box.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// `message` as the system gives it for `code`, without what it ends in: the line break, spaces,
// control characters and a closing ".". Without any text from the system the box still says
// which error it was, by its number.
std::string systemErrorText(std::string message, std::uint32_t code);

}  // namespace qm
