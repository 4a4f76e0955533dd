// Which encoding a byte string is in. Everything the program shows and stores is code page 932;
// UTF-8 carries only the names that code page 932 cannot hold (a browser's virtual file named in
// Korean, say) on their way to the disk.
#pragma once

#include <cstdint>

namespace qm {

enum class TextEncoding : std::uint8_t { Cp932, Utf8 };

}  // namespace qm
